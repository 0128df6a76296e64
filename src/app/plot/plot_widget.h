// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

#include "app/plot/plot_painter.h"
#include "plot/plot_model.h"
#include "plot/plot_worker.h"

// The picture of a formula in the plot window. The wheel zooms around the
// cursor and a drag pans; + and - zoom too, and Home or a double click shows
// the page's range again. The cursor shows x and the exact f(x) of the
// setup's precision.
// Ctrl+C copies the picture and the samples, Ctrl+S saves it as SVG or PNG.
// A sampling that would take long runs on a worker thread, and each new one
// stops the one running; the last picture stays until the new one is there.
class PlotWidget : public QWidget {
    Q_OBJECT
  public:
    explicit PlotWidget(QWidget* parent = nullptr);
    ~PlotWidget() override;

    // Draws setup. A new function or new fields bring back the page's range;
    // a new precision alone samples the range shown again; a new result alone
    // is drawn into the picture as it stands.
    void setSetup(const PlotSetup& setup);
    const PlotSetup& setup() const { return setup_; }
    const PlotView& view() const { return view_; }
    // The sampling shown, in single or in double precision; null before the
    // first and when the one shown is of the other precision.
    const PlotContent* content() const;
    const PlotContentD* contentD() const;
    // A sampling runs on the worker.
    bool isSampling() const { return sampling_; }

    void showPageRange();
    // Makes the view factor times as large, around a point of the widget.
    void zoomBy(double factor, QPointF around);
    void copyToClipboard() const;
    void saveWithDialog();
    bool save(const QString& path) const;
    // The picture at the screen's pixel ratio.
    QImage image() const;

    // Samplings that can cost no more than this (in evaluated elements: 15 ms
    // at worst, well under one for a smooth curve) run at once on the
    // user-interface thread, so pan and zoom never wait for a thread.
    static constexpr double kImmediateCost = 1e7;

  signals:
    // A new sampling is shown.
    void contentChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    PlotFrame frame() const;
    void resample();
    void take(std::shared_ptr<const AnyPlotContent> content, quint64 generation, bool fitted);
    void pointAt(QPointF position);
    void describe();

    PlotSetup setup_;
    PlotView view_;
    std::shared_ptr<const AnyPlotContent> content_;
    // Under the mouse; a single's values are doubles exactly.
    std::optional<PlotPointD> cursor_;
    bool fitRange_ = true;  // the next sampling fits the vertical range
    bool sampling_ = false;
    quint64 generation_ = 0;  // of the latest sampling asked for
    std::optional<QPointF> dragFrom_;
    PlotView dragView_;
    PlotWorker worker_;
};
