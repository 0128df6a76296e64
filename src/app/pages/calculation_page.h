// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/dialog/template_page.h"
#include "app/pages/page_request.h"
#include "calculus/requests.h"

// A page of the main window that calculates. It describes each of its
// requests once (PageRequest); a request computed by the engine also names
// the call and the fields its outcome goes to, and runRequest runs any such
// description.
class StaleResults;

// Its results are marked stale while their inputs hold something else than
// they were computed from (StaleResults). Enter in a single-line field of a
// request presses the request's button.
class CalculationPage : public TemplatePage {
    Q_OBJECT
  public:
    using TemplatePage::TemplatePage;

    std::span<const PageRequest> requests() const { return requests_; }
    // The request run by button, or nullptr.
    const PageRequest* request(int button) const;

    // What a request's result depends on, as the page shows it now: the text
    // of each input (of a step edit only while its box is ticked), then what
    // the page adds beyond its controls (inputsBeyondControls), and the
    // window's precision.
    QStringList inputState(const PageRequest& request) const;
    // Whether the result of button is shown and fits its inputs now.
    bool showsFreshResult(int button) const;

  protected:
    // The engine's side of a request: run computes on the fields the exchange
    // has read (on a worker thread), in the precision the window had when the
    // request started; a value goes into result, a message's text into
    // messageText when the page keeps one.
    struct EngineCall {
        std::function<RequestOutcome(WorkControl*, Precision)> run;
        double* result = nullptr;
        std::string* messageText = nullptr;
    };

    void OnInitDialog() override;
    void keyPressEvent(QKeyEvent* event) override;

    // What a result depends on besides its inputs' texts.
    virtual QStringList inputsBeyondControls(const PageRequest&) const { return {}; }
    // After a change of what a result depends on that no control reports.
    void recheckResults();

    // Enter in these single-line fields presses button, as in a request's
    // inputs.
    void pressOnEnter(std::initializer_list<int> fields, int button);

    // A request the page runs itself.
    void describe(const PageRequest& request);
    void describe(const PageRequest& request, EngineCall call);

    // Reads the fields, runs the request of button through the long-work
    // runner, shows its value or its message, writes the fields back after a
    // value and tells the listeners (calculated). A value shows the digits
    // its error estimate vouches for (ResultText), and the result field says
    // the estimate in its tooltip and accessible description. A refused
    // read, a failure or cancelled work writes nothing back.
    void runRequest(int button);

    // What the field of the result about to be shown says of it (its tooltip
    // and accessible description while the result fits its inputs); set
    // before the result's calculated() is emitted.
    void describeNextResult(const QString& description) { shownDescription_ = description; }

    // Once the controls exist: each formula edit of the requests is diagnosed
    // as typed and offers its plot.
    void watchFormulas();

  private:
    std::vector<PageRequest> requests_;
    std::vector<EngineCall> calls_;                  // beside requests_; no run for the page's own
    std::vector<std::pair<int, int>> enterPresses_;  // a field and its button
    StaleResults* stale_ = nullptr;                  // once the controls exist
    QString shownDescription_;  // of the value runRequest shows, until calculated
};
