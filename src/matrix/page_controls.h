// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The data exchange between a page's logic and its window: reading copies the
// edits into the page's fields, refreshing copies the fields into the edits.
// The window implements it; tests stand in for the window.
class PageControls {
  public:
    virtual ~PageControls() = default;
    // false when an edit did not hold what its field takes: the window has
    // said so, and the handler ends there.
    virtual bool readControls() = 0;
    virtual void refreshControls() = 0;
};
