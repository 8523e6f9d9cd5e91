#pragma once

#include "client/json_error.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <variant>
#include <vector>

// The JSON documents of the HTTPS client: requests it builds and replies it
// reads. Strings are kept exactly as they stand between the quotes of the
// text, as UTF-8 bytes; escaping them is the caller's job, so a report of
// tens of megabytes of Base64 is neither widened to UTF-16 nor decoded
// twice. Values own everything below them and move but never copy, so a
// reply is never duplicated by accident.
//
// Every wrong-kind access, out-of-range index and syntax error throws
// TJSONError.

class TJSONValue;
class TJSONMember;

enum class TJSONKind : std::uint8_t
{
    String = 0,
    Number = 1,
    Object = 2,
    Array = 3,
    Bool = 4,
    Null = 5,
};

// An ordered list of values.
class TJSONArray
{
public:
    TJSONArray();
    TJSONArray(TJSONArray&&) noexcept;
    TJSONArray& operator=(TJSONArray&&) noexcept;
    TJSONArray(const TJSONArray&) = delete;
    TJSONArray& operator=(const TJSONArray&) = delete;
    ~TJSONArray();

    // Returns the index of the new value.
    int Add(TJSONValue value);
    int Count() const;
    TJSONValue& Item(int index);
    const TJSONValue& Item(int index) const;
    void Clear();

private:
    std::vector<TJSONValue> m_items;
};

// An ordered list of named values; names may repeat.
class TJSONObject
{
public:
    TJSONObject();
    TJSONObject(TJSONObject&&) noexcept;
    TJSONObject& operator=(TJSONObject&&) noexcept;
    TJSONObject(const TJSONObject&) = delete;
    TJSONObject& operator=(const TJSONObject&) = delete;
    ~TJSONObject();

    // Returns the index of the new member.
    int Add(TJSONMember member);
    int Count() const;
    TJSONMember& Item(int index);
    const TJSONMember& Item(int index) const;
    // The first member whose raw name equals name exactly, or nullptr.
    TJSONMember* Find(const QString& name);
    const TJSONMember* Find(const QString& name) const;
    void Clear();

private:
    std::vector<TJSONMember> m_members;
};

class TJSONValue
{
public:
    // An empty array, the usual root of a request or a reply.
    TJSONValue();
    // An empty payload of that kind: "", 0, {}, [], false or null.
    explicit TJSONValue(TJSONKind kind);
    // A string; the text is stored as UTF-8.
    explicit TJSONValue(const QString& text);
    // A string whose raw UTF-8 text is taken as it is.
    explicit TJSONValue(QByteArray raw);
    explicit TJSONValue(long double number);

    TJSONValue(TJSONValue&&) noexcept = default;
    TJSONValue& operator=(TJSONValue&&) noexcept = default;
    TJSONValue(const TJSONValue&) = delete;
    TJSONValue& operator=(const TJSONValue&) = delete;
    ~TJSONValue() = default;

    TJSONKind Kind() const { return static_cast<TJSONKind>(m_payload.index()); }

    TJSONArray& AsArray();
    const TJSONArray& AsArray() const;
    TJSONObject& AsObject();
    const TJSONObject& AsObject() const;
    long double AsNumber() const;
    bool AsBool() const;
    // The string's text between the quotes, escapes left as they are.
    const QByteArray& RawString() const;
    // The same decoded from UTF-8.
    QString AsString() const;

    void SetNumber(long double number);
    void SetBool(bool flag);
    void SetString(const QString& text);
    void SetRawString(QByteArray raw);

    // Replaces the payload with the value written in the UTF-8 text, which
    // must be of this value's kind. On a syntax error the value keeps what
    // was read up to it; the error text ends in the line number, " (3)".
    void Parse(const QByteArray& utf8);
    void Parse(const QString& text);
    // The indented text: two blanks per level, every line ended by CR LF.
    // Written into one buffer sized up front, a large blob included.
    QByteArray ToUtf8() const;
    QString ToText() const;

private:
    // Alternatives in the order of TJSONKind, so index() is the kind.
    using Payload =
        std::variant<QByteArray, long double, TJSONObject, TJSONArray, bool, std::monostate>;

    static Payload EmptyPayload(TJSONKind kind);

    Payload m_payload;
};

// One member of an object. The name is raw, as in the text.
class TJSONMember
{
public:
    TJSONMember(QString memberName, TJSONKind kind);
    // With an empty array as its value.
    explicit TJSONMember(QString memberName);

    QString name;
    TJSONValue value;
};
