#include "pdfsyntax.h"

#include <algorithm>
#include <cmath>

namespace
{

// Deeper nesting than any FDF file has only serves to exhaust the stack.
constexpr int maxDepth = 64;

bool isWhite(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isDelimiter(char c)
{
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
           c == '}' || c == '/' || c == '%';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct Token {
    enum class Type {
        End,
        Error,
        Number,
        String,
        Name,
        Keyword,
        ArrayOpen,
        ArrayClose,
        DictOpen,
        DictClose
    };
    Token(Type t = Type::End, QByteArray bytes = {}) : type(t), text(std::move(bytes)) {}

    Type type;
    QByteArray text; // a string's or name's bytes, a keyword, a number as written
    double number = 0;
    bool integer = false;
};

class Lexer
{
public:
    explicit Lexer(const QByteArray &text) : s_(text) {}

    qsizetype position() const { return pos_; }
    void seek(qsizetype position) { pos_ = position; }
    bool at(const char *word) const { return QByteArrayView(s_).sliced(pos_).startsWith(word); }
    qsizetype left() const { return s_.size() - pos_; }
    void skip(qsizetype count) { pos_ += std::min(count, left()); }

    void skipSpace()
    {
        while (pos_ < s_.size()) {
            if (isWhite(s_[pos_])) {
                ++pos_;
            } else if (s_[pos_] == '%') {
                while (pos_ < s_.size() && s_[pos_] != '\r' && s_[pos_] != '\n')
                    ++pos_;
            } else {
                return;
            }
        }
    }

    Token next()
    {
        skipSpace();
        if (pos_ >= s_.size())
            return {};
        const char c = s_[pos_];
        if (c == '(')
            return literalString();
        if (c == '<' && peek(1) == '<')
            return pos_ += 2, Token{Token::Type::DictOpen};
        if (c == '>' && peek(1) == '>')
            return pos_ += 2, Token{Token::Type::DictClose};
        if (c == '<')
            return hexString();
        if (c == '[')
            return ++pos_, Token{Token::Type::ArrayOpen};
        if (c == ']')
            return ++pos_, Token{Token::Type::ArrayClose};
        if (c == '/')
            return name();
        if (isDelimiter(c))
            return ++pos_, Token{Token::Type::Error};
        return regular();
    }

private:
    char peek(qsizetype ahead) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : '\0'; }

    Token literalString()
    {
        Token t{Token::Type::String};
        int open = 1;
        for (++pos_; pos_ < s_.size(); ++pos_) {
            char c = s_[pos_];
            if (c == '(') {
                ++open;
            } else if (c == ')') {
                if (--open == 0)
                    return ++pos_, t;
            } else if (c == '\r') {
                // A line end in a string is read as one line feed, whatever it was.
                if (peek(1) == '\n')
                    ++pos_;
                c = '\n';
            } else if (c == '\\') {
                if (++pos_ >= s_.size())
                    break;
                c = s_[pos_];
                switch (c) {
                case 'n':
                    c = '\n';
                    break;
                case 'r':
                    c = '\r';
                    break;
                case 't':
                    c = '\t';
                    break;
                case 'b':
                    c = '\b';
                    break;
                case 'f':
                    c = '\f';
                    break;
                case '\r':
                    if (peek(1) == '\n')
                        ++pos_;
                    continue;
                case '\n':
                    continue;
                default:
                    if (c >= '0' && c <= '7') {
                        int value = c - '0';
                        for (int digits = 1; digits < 3 && peek(1) >= '0' && peek(1) <= '7';
                             ++digits)
                            value = value * 8 + (s_[++pos_] - '0');
                        c = char(value & 0xFF);
                    }
                }
            }
            t.text.append(c);
        }
        return {Token::Type::Error};
    }

    Token hexString()
    {
        Token t{Token::Type::String};
        int high = -1;
        for (++pos_; pos_ < s_.size(); ++pos_) {
            const char c = s_[pos_];
            if (c == '>') {
                if (high >= 0)
                    t.text.append(char(high << 4));
                return ++pos_, t;
            }
            if (isWhite(c))
                continue;
            const int value = hexValue(c);
            if (value < 0)
                break;
            if (high < 0) {
                high = value;
            } else {
                t.text.append(char(high << 4 | value));
                high = -1;
            }
        }
        return {Token::Type::Error};
    }

    Token name()
    {
        Token t{Token::Type::Name};
        for (++pos_; pos_ < s_.size() && !isWhite(s_[pos_]) && !isDelimiter(s_[pos_]); ++pos_) {
            const int high = s_[pos_] == '#' ? hexValue(peek(1)) : -1;
            const int low = high >= 0 ? hexValue(peek(2)) : -1;
            if (low >= 0) {
                t.text.append(char(high << 4 | low));
                pos_ += 2;
            } else {
                t.text.append(s_[pos_]);
            }
        }
        return t;
    }

    Token regular()
    {
        const qsizetype start = pos_;
        while (pos_ < s_.size() && !isWhite(s_[pos_]) && !isDelimiter(s_[pos_]))
            ++pos_;
        Token t{Token::Type::Keyword, s_.mid(start, pos_ - start)};
        bool ok = false;
        const bool sign = t.text.startsWith('+') || t.text.startsWith('-');
        const QByteArray digits = t.text.mid(sign ? 1 : 0);
        const bool numeric = !digits.isEmpty() && digits != "." && digits.count('.') <= 1 &&
                             std::all_of(digits.cbegin(), digits.cend(),
                                         [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
        if (numeric) {
            t.number = t.text.toDouble(&ok);
            if (ok && std::isfinite(t.number)) {
                t.type = Token::Type::Number;
                t.integer = !digits.contains('.') && std::fabs(t.number) < 2147483648.0;
            }
        }
        return t;
    }

    const QByteArray &s_;
    qsizetype pos_ = 0;
};

class Parser
{
public:
    explicit Parser(const QByteArray &text) : lex_(text) {}

    std::optional<PdfBody> body()
    {
        PdfBody body;
        for (Token t = lex_.next(); t.type != Token::Type::End; t = lex_.next()) {
            if (t.type == Token::Type::Keyword && t.text == "trailer") {
                std::optional<PdfObject> trailer = object(lex_.next(), 0);
                if (!trailer)
                    return std::nullopt;
                body.trailer = std::move(*trailer);
                return body;
            }
            if (t.type == Token::Type::Keyword && t.text == "xref") {
                if (!skipCrossReferences())
                    return std::nullopt;
                continue;
            }
            if (!indirectObject(t, body))
                return std::nullopt;
        }
        return body;
    }

private:
    bool skipCrossReferences()
    {
        for (;;) {
            const qsizetype before = lex_.position();
            const Token t = lex_.next();
            if (t.type == Token::Type::Number ||
                (t.type == Token::Type::Keyword && (t.text == "f" || t.text == "n")))
                continue;
            lex_.seek(before);
            return t.type == Token::Type::Keyword && t.text == "trailer";
        }
    }

    bool indirectObject(const Token &number, PdfBody &body)
    {
        const Token generation = lex_.next();
        const Token keyword = lex_.next();
        if (number.type != Token::Type::Number || !number.integer ||
            generation.type != Token::Type::Number || !generation.integer ||
            keyword.type != Token::Type::Keyword || keyword.text != "obj")
            return false;
        std::optional<PdfObject> value = object(lex_.next(), 0);
        if (!value)
            return false;
        Token end = lex_.next();
        if (end.type == Token::Type::Keyword && end.text == "stream") {
            // Stream data is skipped by its direct length; FDF data keeps no values in it.
            const PdfObject &length = (*value)["Length"];
            if (!length.is(PdfObject::Kind::Number) || length.number < 0 ||
                length.number > double(lex_.left()))
                return false;
            if (lex_.at("\r\n"))
                lex_.skip(2);
            else if (lex_.at("\n") || lex_.at("\r"))
                lex_.skip(1);
            lex_.skip(qsizetype(length.number));
            end = lex_.next();
            if (end.type != Token::Type::Keyword || end.text != "endstream")
                return false;
            end = lex_.next();
        }
        if (end.type != Token::Type::Keyword || end.text != "endobj")
            return false;
        body.objects.try_emplace(int(number.number), std::move(*value));
        return true;
    }

    std::optional<PdfObject> object(const Token &t, int depth)
    {
        PdfObject o;
        switch (t.type) {
        case Token::Type::Number:
            o.kind = PdfObject::Kind::Number;
            o.number = t.number;
            if (t.integer && t.number >= 0)
                reference(o);
            return o;
        case Token::Type::String:
            o.kind = PdfObject::Kind::String;
            o.bytes = t.text;
            return o;
        case Token::Type::Name:
            o.kind = PdfObject::Kind::Name;
            o.bytes = t.text;
            return o;
        case Token::Type::Keyword:
            if (t.text == "null")
                return o;
            if (t.text == "true" || t.text == "false") {
                o.kind = PdfObject::Kind::Boolean;
                o.number = t.text == "true" ? 1 : 0;
                return o;
            }
            return std::nullopt;
        case Token::Type::ArrayOpen:
            if (depth >= maxDepth)
                return std::nullopt;
            o.kind = PdfObject::Kind::Array;
            for (Token item = lex_.next(); item.type != Token::Type::ArrayClose;
                 item = lex_.next()) {
                std::optional<PdfObject> value = object(item, depth + 1);
                if (!value)
                    return std::nullopt;
                o.items.push_back(std::move(*value));
            }
            return o;
        case Token::Type::DictOpen:
            if (depth >= maxDepth)
                return std::nullopt;
            o.kind = PdfObject::Kind::Dictionary;
            for (Token key = lex_.next(); key.type != Token::Type::DictClose; key = lex_.next()) {
                if (key.type != Token::Type::Name)
                    return std::nullopt;
                std::optional<PdfObject> value = object(lex_.next(), depth + 1);
                if (!value)
                    return std::nullopt;
                o.entries.push_back({key.text, std::move(*value)});
            }
            return o;
        default:
            return std::nullopt;
        }
    }

    // "n g R" after a number makes it a reference; anything else is read again later.
    void reference(PdfObject &o)
    {
        const qsizetype before = lex_.position();
        const Token generation = lex_.next();
        const Token r = lex_.next();
        if (generation.type == Token::Type::Number && generation.integer &&
            generation.number >= 0 && r.type == Token::Type::Keyword && r.text == "R") {
            o.kind = PdfObject::Kind::Reference;
            o.objectNumber = int(o.number);
            return;
        }
        lex_.seek(before);
    }

    Lexer lex_;
};

const PdfObject nullObject;

} // namespace

const PdfObject &PdfObject::operator[](const QByteArray &key) const
{
    for (const Entry &entry : entries) {
        if (entry.key == key)
            return entry.value;
    }
    return nullObject;
}

const PdfObject &PdfBody::resolve(const PdfObject &object) const
{
    if (!object.is(PdfObject::Kind::Reference))
        return object;
    const auto found = objects.find(object.objectNumber);
    return found == objects.end() ? nullObject : found->second;
}

std::optional<PdfBody> PdfBody::parse(const QByteArray &text)
{
    return Parser(text).body();
}
