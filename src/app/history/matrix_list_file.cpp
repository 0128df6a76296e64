// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history/matrix_list_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSaveFile>
#include <QStringDecoder>
#include <climits>
#include <cmath>
#include <cstdint>

#include "app/history/history_texts.h"

namespace {

const QString kFormatKey = QStringLiteral("format");
const QString kVersionKey = QStringLiteral("version");
const QString kMatricesKey = QStringLiteral("matrices");
const QString kNameKey = QStringLiteral("name");
const QString kRowsKey = QStringLiteral("rows");
const QString kColsKey = QStringLiteral("cols");
const QString kElementsKey = QStringLiteral("elements");
const QString kFormat = QStringLiteral("mexora-matrices");
constexpr int kVersion = 1;

enum class Utf8 { Valid, Invalid, CutShort };

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. A
// sequence begun well but cut off by the end of the bytes is CutShort.
Utf8 checkUtf8(QByteArrayView bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const std::uint8_t lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        qsizetype length = 0;
        std::uint32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, smallest = 0x10000;
        } else {
            return Utf8::Invalid;
        }
        std::uint32_t code = lead & (0x7Fu >> length);
        for (qsizetype k = 1; k < length; ++k) {
            if (i + k == size) return Utf8::CutShort;
            if ((data[i + k] & 0xC0) != 0x80) return Utf8::Invalid;
            code = code << 6 | (data[i + k] & 0x3Fu);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return Utf8::Invalid;
        i += length;
    }
    return Utf8::Valid;
}

// Every character kept, a leading U+FEFF too, which QString::fromUtf8 drops.
QString fromUtf8(const std::string& text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string toUtf8(const QJsonValue& value) {
    return value.isString() ? value.toString().toStdString() : std::string();
}

int toShape(const QJsonValue& value) {
    if (!value.isDouble()) return 0;
    const double number = value.toDouble();
    if (!(number >= INT_MIN && number <= INT_MAX) || number != std::trunc(number)) return 0;
    return static_cast<int>(number);
}

NamedMatrix readEntry(const QJsonValue& value) {
    const QJsonObject entry = value.toObject();
    return {toUtf8(entry.value(kNameKey)),
            {toShape(entry.value(kRowsKey)), toShape(entry.value(kColsKey)),
             toUtf8(entry.value(kElementsKey))}};
}

bool onlyBlanks(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return false;
    }
    return true;
}

}  // namespace

QByteArray MatrixListJson(std::span<const NamedMatrix> matrices) {
    QJsonArray list;
    for (const NamedMatrix& named : matrices) {
        list.append(QJsonObject{{kNameKey, fromUtf8(named.name)},
                                {kRowsKey, named.matrix.nRows},
                                {kColsKey, named.matrix.nCols},
                                {kElementsKey, fromUtf8(named.matrix.strElements)}});
    }
    const QJsonObject root{{kFormatKey, kFormat}, {kVersionKey, kVersion}, {kMatricesKey, list}};
    // Qt's reader drops a U+FEFF that begins a string written plainly, and
    // it can be found only inside strings here: write it as an escape.
    return QJsonDocument(root).toJson(QJsonDocument::Indented).replace("\xEF\xBB\xBF", "\\ufeff");
}

MatrixListRead ReadMatrixListJson(QByteArrayView bytes) {
    switch (checkUtf8(bytes)) {
        case Utf8::Invalid:
            return {MatrixListFault::NotUtf8, {}};
        case Utf8::CutShort:
            return {MatrixListFault::Truncated, {}};
        case Utf8::Valid:
            break;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError) {
        // The parser stopped at the end of a text that had begun: the rest is missing.
        const bool atEnd = error.offset >= bytes.size() || onlyBlanks(bytes.sliced(error.offset));
        const bool begun = !onlyBlanks(bytes);
        return {atEnd && begun ? MatrixListFault::Truncated : MatrixListFault::NotAList, {}};
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(kFormatKey) != kFormat ||
        !root.value(kVersionKey).isDouble() || !root.value(kMatricesKey).isArray()) {
        return {MatrixListFault::NotAList, {}};
    }
    const double version = root.value(kVersionKey).toDouble();
    if (version > kVersion) return {MatrixListFault::NewerVersion, {}};
    if (version != kVersion) return {MatrixListFault::NotAList, {}};
    const QJsonArray list = root.value(kMatricesKey).toArray();
    MatrixListRead read;
    read.matrices.reserve(static_cast<std::size_t>(list.size()));
    for (const QJsonValue& entry : list) read.matrices.push_back(readEntry(entry));
    return read;
}

bool SaveMatrixList(const QString& path, std::span<const NamedMatrix> matrices) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray json = MatrixListJson(matrices);
    // Without a commit the temporary file goes, and the old one stays.
    return file.write(json) == json.size() && file.commit();
}

MatrixListRead OpenMatrixList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {MatrixListFault::CannotRead, {}};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return {MatrixListFault::CannotRead, {}};
    return ReadMatrixListJson(bytes);
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
