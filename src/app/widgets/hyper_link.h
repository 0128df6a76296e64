// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

class QWidget;

// Turns an existing static text control into a link: its text is drawn in
// the normal colour, in the hover colour while the pointer is over it (a
// window covering it counts as not over it), the pointer takes the link
// cursor there, and a left button press hands the target to the desktop's
// URL handler, as Enter or Space do when it has the focus. The label keeps
// its text, size and font, and draws no background of its own.
class CHyperLink : public QObject {
    Q_OBJECT
  public:
    CHyperLink() = default;

    // Takes the control over. false (and nothing changes) when there is no
    // such control in parent. The target "NoLink!" keeps the stored target.
    bool BindLabel(QWidget* control, QWidget* parent, const QColor& normal, const QColor& hover,
                   const QString& target);

    // Sets the current colour and repaints the label at once.
    void ApplyColour(const QColor& colour);

    QWidget* label() const { return label_; }

    // Set by the owner after binding; none leaves the pointer's shape alone.
    std::optional<QCursor> m_hCursor;
    QString m_strTarget;
    QColor m_crCurrent;
    QColor m_crHover;
    QColor m_crNormal;

    static constexpr auto kNoLink = "NoLink!";

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A target nobody can open fails silently.
    void open() const;

    QPointer<QWidget> label_;
};
