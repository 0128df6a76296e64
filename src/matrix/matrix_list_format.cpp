// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrix/matrix_list_format.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr std::string_view kFormat = "mexora-matrices";
constexpr int kVersion = 1;
constexpr int kMaxDepth = 256;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

enum class Utf8 { Valid, Invalid, CutShort };

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. A
// sequence begun well but cut off by the end of the bytes is CutShort.
Utf8 checkUtf8(std::string_view bytes) {
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
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
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k == size) return Utf8::CutShort;
            const auto next = static_cast<std::uint8_t>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return Utf8::Invalid;
            code = code << 6 | (next & 0x3Fu);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return Utf8::Invalid;
        i += length;
    }
    return Utf8::Valid;
}

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

struct JsonMember;

struct JsonValue {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    double number = 0.0;
    bool inRange = true;  // a number that from_chars could hold
    std::string text;
    std::vector<JsonValue> items;
    std::vector<JsonMember> members;

    JsonValue* member(std::string_view key);
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

JsonValue* JsonValue::member(std::string_view key) {
    for (auto it = members.rbegin(); it != members.rend(); ++it) {
        if (it->key == key) return &it->value;
    }
    return nullptr;
}

enum class ParseEnd { Done, Truncated, Malformed };

// RFC 8259 JSON, recursive to a bounded depth. Where the text ends while a
// value is still open, the end is Truncated; any other fault is Malformed.
class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    ParseEnd parse(JsonValue& root) {
        if (text_.starts_with(kByteOrderMark)) pos_ = kByteOrderMark.size();
        skipBlanks();
        if (pos_ == text_.size()) return ParseEnd::Malformed;  // nothing begun
        if (!value(root, 0)) return truncated_ ? ParseEnd::Truncated : ParseEnd::Malformed;
        skipBlanks();
        return pos_ == text_.size() ? ParseEnd::Done : ParseEnd::Malformed;
    }

  private:
    bool failed() {
        truncated_ = pos_ >= text_.size();
        return false;
    }
    bool more() const { return pos_ < text_.size(); }
    char peek() const { return text_[pos_]; }

    void skipBlanks() {
        while (more() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r'))
            ++pos_;
    }

    bool expect(char c) {
        skipBlanks();
        if (!more() || peek() != c) return failed();
        ++pos_;
        return true;
    }

    bool value(JsonValue& out, int depth) {
        skipBlanks();
        if (!more()) return failed();
        switch (peek()) {
            case '{':
                return depth < kMaxDepth ? object(out, depth + 1) : failed();
            case '[':
                return depth < kMaxDepth ? array(out, depth + 1) : failed();
            case '"':
                out.kind = JsonValue::Kind::String;
                return string(out.text);
            case 't':
                out.kind = JsonValue::Kind::Boolean;
                return word("true");
            case 'f':
                out.kind = JsonValue::Kind::Boolean;
                return word("false");
            case 'n':
                return word("null");
            default:
                return number(out);
        }
    }

    bool word(std::string_view literal) {
        for (const char c : literal) {
            if (!more() || peek() != c) return failed();
            ++pos_;
        }
        return true;
    }

    bool object(JsonValue& out, int depth) {
        out.kind = JsonValue::Kind::Object;
        ++pos_;
        skipBlanks();
        if (more() && peek() == '}') return ++pos_, true;
        for (;;) {
            skipBlanks();
            if (!more() || peek() != '"') return failed();
            JsonMember member;
            if (!string(member.key) || !expect(':') || !value(member.value, depth)) return false;
            out.members.push_back(std::move(member));
            skipBlanks();
            if (!more()) return failed();
            if (peek() == '}') return ++pos_, true;
            if (peek() != ',') return failed();
            ++pos_;
        }
    }

    bool array(JsonValue& out, int depth) {
        out.kind = JsonValue::Kind::Array;
        ++pos_;
        skipBlanks();
        if (more() && peek() == ']') return ++pos_, true;
        for (;;) {
            out.items.emplace_back();
            if (!value(out.items.back(), depth)) return false;
            skipBlanks();
            if (!more()) return failed();
            if (peek() == ']') return ++pos_, true;
            if (peek() != ',') return failed();
            ++pos_;
        }
    }

    bool hex4(std::uint32_t& code) {
        code = 0;
        for (int i = 0; i < 4; ++i, ++pos_) {
            if (!more()) return failed();
            const char c = peek();
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) return failed();
            code = code << 4 | static_cast<std::uint32_t>(digit);
        }
        return true;
    }

    // After "\u": one code point; a surrogate without its partner is U+FFFD.
    bool unicodeEscape(std::string& out) {
        std::uint32_t code = 0;
        if (!hex4(code)) return false;
        if (code >= 0xD800 && code <= 0xDBFF && text_.substr(pos_).starts_with("\\u")) {
            const std::size_t mark = pos_;
            pos_ += 2;
            std::uint32_t low = 0;
            if (!hex4(low)) return false;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
                return true;
            }
            pos_ = mark;  // the second escape stands on its own
        }
        appendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? 0xFFFD : code);
        return true;
    }

    bool string(std::string& out) {
        ++pos_;
        for (;;) {
            const std::size_t start = pos_;
            while (more() && peek() != '"' && peek() != '\\' &&
                   static_cast<unsigned char>(peek()) >= 0x20)
                ++pos_;
            out.append(text_, start, pos_ - start);
            if (!more()) return failed();
            if (peek() == '"') return ++pos_, true;
            if (peek() != '\\') return failed();  // a control character
            if (++pos_ == text_.size()) return failed();
            const char escaped = text_[pos_++];
            switch (escaped) {
                case '"':
                case '\\':
                case '/':
                    out += escaped;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u':
                    if (!unicodeEscape(out)) return false;
                    break;
                default:
                    --pos_;
                    return failed();
            }
        }
    }

    bool digits() {
        const std::size_t start = pos_;
        while (more() && peek() >= '0' && peek() <= '9') ++pos_;
        return pos_ > start || failed();
    }

    bool number(JsonValue& out) {
        const std::size_t start = pos_;
        if (peek() == '-') ++pos_;
        if (!more()) return failed();
        if (peek() == '0') {
            ++pos_;
        } else if (!digits()) {
            return false;
        }
        if (more() && peek() == '.') {
            ++pos_;
            if (!digits()) return false;
        }
        if (more() && (peek() == 'e' || peek() == 'E')) {
            ++pos_;
            if (more() && (peek() == '+' || peek() == '-')) ++pos_;
            if (!digits()) return false;
        }
        out.kind = JsonValue::Kind::Number;
        const auto [end, error] =
            std::from_chars(text_.data() + start, text_.data() + pos_, out.number);
        out.inRange = error == std::errc();
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool truncated_ = false;
};

std::string takeText(JsonValue* value) {
    return value && value->kind == JsonValue::Kind::String ? std::move(value->text) : std::string();
}

int toShape(const JsonValue* value) {
    if (!value || value->kind != JsonValue::Kind::Number || !value->inRange) return 0;
    const double number = value->number;
    if (!(number >= INT_MIN && number <= INT_MAX) || number != std::trunc(number)) return 0;
    return static_cast<int>(number);
}

NamedMatrix takeEntry(JsonValue& entry) {
    return {takeText(entry.member("name")),
            {toShape(entry.member("rows")), toShape(entry.member("cols")),
             takeText(entry.member("elements"))}};
}

void appendQuoted(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

}  // namespace

std::string WriteMatrixList(std::span<const NamedMatrix> matrices) {
    std::string out = "{\n  \"format\": \"mexora-matrices\",\n  \"version\": 1,\n  \"matrices\": [";
    for (std::size_t i = 0; i < matrices.size(); ++i) {
        const NamedMatrix& named = matrices[i];
        out += i == 0 ? "\n    {\"name\": " : ",\n    {\"name\": ";
        appendQuoted(out, named.name);
        out += ", \"rows\": " + std::to_string(named.matrix.nRows);
        out += ", \"cols\": " + std::to_string(named.matrix.nCols);
        out += ", \"elements\": ";
        appendQuoted(out, named.matrix.strElements);
        out += '}';
    }
    out += matrices.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

MatrixListRead ReadMatrixList(std::string_view bytes) {
    switch (checkUtf8(bytes)) {
        case Utf8::Invalid:
            return {MatrixListFault::NotUtf8, {}};
        case Utf8::CutShort:
            return {MatrixListFault::Truncated, {}};
        case Utf8::Valid:
            break;
    }
    JsonValue root;
    switch (JsonReader(bytes).parse(root)) {
        case ParseEnd::Truncated:
            return {MatrixListFault::Truncated, {}};
        case ParseEnd::Malformed:
            return {MatrixListFault::NotAList, {}};
        case ParseEnd::Done:
            break;
    }
    if (root.kind != JsonValue::Kind::Object) return {MatrixListFault::NotAList, {}};
    const JsonValue* format = root.member("format");
    const JsonValue* version = root.member("version");
    JsonValue* list = root.member("matrices");
    if (!format || format->kind != JsonValue::Kind::String || format->text != kFormat || !version ||
        version->kind != JsonValue::Kind::Number || !list || list->kind != JsonValue::Kind::Array)
        return {MatrixListFault::NotAList, {}};
    if (version->number > kVersion) return {MatrixListFault::NewerVersion, {}};
    if (version->number != kVersion) return {MatrixListFault::NotAList, {}};
    MatrixListRead read;
    read.matrices.reserve(list->items.size());
    for (JsonValue& entry : list->items) read.matrices.push_back(takeEntry(entry));
    return read;
}
