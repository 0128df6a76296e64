// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history/matrix_list_file.h"

#include <QFile>
#include <QSaveFile>

#include "core/string_ids.h"

bool SaveMatrixList(const QString& path, std::span<const NamedMatrix> matrices) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const std::string text = WriteMatrixList(matrices);
    // Without a commit the temporary file goes, and the old one stays.
    return file.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size()) &&
           file.commit();
}

MatrixListRead OpenMatrixList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {MatrixListFault::CannotRead, {}};
    // Read in place where the file can be mapped: no copy of megabytes.
    if (file.size() > 0) {
        if (const uchar* mapped = file.map(0, file.size())) {
            return ReadMatrixList(std::string_view(reinterpret_cast<const char*>(mapped),
                                                   static_cast<std::size_t>(file.size())));
        }
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return {MatrixListFault::CannotRead, {}};
    return ReadMatrixList(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

int MatrixListFaultMessage(MatrixListFault fault) {
    switch (fault) {
        case MatrixListFault::CannotRead:
            return kMsgCannotRead;
        case MatrixListFault::NotUtf8:
            return kMsgNotUtf8;
        case MatrixListFault::Truncated:
            return kMsgTruncatedList;
        case MatrixListFault::NewerVersion:
            return kMsgNewerList;
        case MatrixListFault::NotAList:
        case MatrixListFault::None:
            break;
    }
    return kMsgNotAMatrixList;
}
