// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "plot/plot_model.h"

class CalculationPage;
class FieldEdit;
class PictureControl;
class PlotWidget;
class QLineEdit;

// A formula edit of a page as the plot window follows it: what its page's
// fields ask to be drawn now, and a signal when that may have changed.
class PlotSource : public QObject {
    Q_OBJECT
  public:
    // read gives the page's fields now, the formula included; watched are the
    // fields besides the formula that the picture depends on.
    PlotSource(FieldEdit* formula, std::function<PlotSetup()> read, const QList<QWidget*>& watched);

    FieldEdit* formulaEdit() const;
    // The page's fields, with the result once one is shown for them.
    PlotSetup read() const;

    // The result of these fields is what result shows once page has
    // calculated request, while the page finds it fresh
    // (CalculationPage::showsFreshResult).
    void followResult(CalculationPage* page, int request, QLineEdit* result);

    // Shows the plot window for this formula.
    void open();

  signals:
    // The formula or a field it is drawn with changed.
    void changed();
    // A result was shown.
    void resultShown();

  private:
    std::function<PlotSetup()> read_;
    QPointer<QLineEdit> result_;
    QPointer<CalculationPage> page_;
    int request_ = 0;
};

// Ctrl+G in edit, and "函数图像…" in its context menu, open source's plot.
void offerPlot(FieldEdit* edit, PlotSource* source);
// A click on picture opens source's plot.
void openPlotOnClick(PictureControl* picture, PlotSource* source);

// The one plot window beside the main window: titled "函数图像 — " and the
// formula (and " — 双精度" in double precision), it follows the formula it
// was last opened for in the window's precision, redrawn shortly after each
// change and at once on a precision switch. Closing it or Escape hides it.
class PlotWindow : public QWidget {
    Q_OBJECT
  public:
    // The plot window of the window that holds widget; made on first use.
    static PlotWindow* of(QWidget* widget);

    void follow(PlotSource* source);
    PlotSource* source() const { return source_; }
    PlotWidget* plot() const { return plot_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    explicit PlotWindow(QWidget* mainWindow);
    void refresh();
    void placeBesideMainWindow();

    PlotWidget* plot_;
    QPointer<PlotSource> source_;
    QTimer delay_;
    bool placed_ = false;
};
