// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <vector>

#include "app/pages/page_request.h"

class CalculationPage;

// Marks a result the page has shown as stale while the inputs it was computed
// from hold something else (CalculationPage::inputState): its text turns grey,
// and its tooltip and accessible description say so (kHintStaleResult) in
// place of what the result says of itself while it fits (its description).
// Comparing with the inputs of the computation, not counting changes,
// lets the page write its fields back after a value, and an undo or a history
// row put the same inputs back, without a false mark. A new result of the
// field replaces the old one; a result field whose text has changed otherwise
// (the matrix page's element edit, typed in or loaded from the list) shows no
// result any more, and is never marked.
class StaleResults : public QObject {
  public:
    // Watches the inputs and results of the page's requests; once its
    // controls exist.
    explicit StaleResults(CalculationPage& page);

    // The request's result has just been shown, from the inputs as they are;
    // description, if any, is what its field says of it while it fits them.
    void resultShown(const PageRequest& request, const QString& description = {});
    // Whether the request's result is shown and fits the inputs now.
    bool fresh(const PageRequest& request) const;
    // Compares again once the events in hand are done: after a change of an
    // input or of a result, and after any change no control reports.
    void recheckSoon() { recheck_.start(); }

  private:
    struct Shown {
        PageRequest request;
        QStringList inputs;
        QString result;
        QString description;
        bool stale = false;
    };

    void recheck();
    bool stillShown(const Shown& shown) const;

    CalculationPage& page_;
    std::vector<Shown> shown_;  // at most one for each result field
    QTimer recheck_;
};
