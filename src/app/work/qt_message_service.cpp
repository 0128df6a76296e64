// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/work/qt_message_service.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdio>

#include "core/string_table.h"

bool messagesGoToStderr() { return qEnvironmentVariableIntValue("MEXORA_MESSAGES_TO_STDERR") == 1; }

QString loadQString(int stringId) {
    const std::string_view text = LoadString(stringId);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void printMessage(int stringId) {
    const std::string_view text = LoadString(stringId);
    std::fprintf(stderr, "message %d: %.*s\n", stringId, static_cast<int>(text.size()),
                 text.data());
    std::fflush(stderr);
}

void QtMessageService::showMessage(int stringId, std::string_view detail) {
    const QString informative =
        QString::fromUtf8(detail.data(), static_cast<qsizetype>(detail.size()));
    if (messagesGoToStderr()) {
        printMessage(stringId);
        if (!detail.empty()) std::fprintf(stderr, "%s\n", informative.toLocal8Bit().constData());
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), loadQString(stringId),
                    QMessageBox::Ok, owner_);
    box.setInformativeText(informative);
    box.exec();
}

namespace {

// The button the user pressed in a question box: NoButton when the box closed
// without an answer (the program quitting), No when the question was printed.
QMessageBox::StandardButton ask(int stringId, QMessageBox::StandardButtons buttons,
                                QWidget* owner) {
    if (messagesGoToStderr()) {
        printMessage(stringId);
        return QMessageBox::No;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("?"), loadQString(stringId), buttons,
                    owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

bool QtMessageService::askYesNo(int stringId) {
    return ask(stringId, QMessageBox::Yes | QMessageBox::No, owner_) == QMessageBox::Yes;
}

MessageService::Answer QtMessageService::askYesNoCancel(int stringId) {
    switch (ask(stringId, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner_)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}
