// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "core/precision.h"

// The precision the whole window computes in, one for every page. It starts
// as the settings file says (calculation/precision, single when unset) and is
// written there only when the user switches (choose), never by a history row
// or the start.
class WindowPrecision : public QObject {
    Q_OBJECT
  public:
    static WindowPrecision& instance();

    Precision current() const { return current_; }
    bool isDouble() const { return current_ == Precision::Double; }

    // Reads the settings file; a missing or unknown word leaves single.
    void loadFromSettings();
    // Switches without writing the settings.
    void set(Precision precision);
    // The user's switch: sets it and writes the settings.
    void choose(Precision precision);

  signals:
    void changed(Precision precision);

  private:
    Precision current_ = Precision::Single;
};
