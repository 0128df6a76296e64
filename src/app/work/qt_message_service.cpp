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

bool QtMessageService::askYesNo(int stringId) {
    if (messagesGoToStderr()) {
        printMessage(stringId);
        return false;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("?"), loadQString(stringId),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}
