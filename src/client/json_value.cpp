#include "client/json_value.h"

#include <utility>

namespace {

// Indexes come from replies too ("results[count]"), so a wrong one must be an
// error the client can report, not a read past the end.
template <typename List> auto& CheckedItem(List& items, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= items.size())
        throw TJSONError(QStringLiteral("Index out of range (%1)").arg(index));
    return items[static_cast<std::size_t>(index)];
}

} // namespace

TJSONError::TJSONError(const QString& text) : m_text(text), m_utf8(text.toUtf8()) {}

// ---- TJSONArray

TJSONArray::TJSONArray() = default;
TJSONArray::TJSONArray(TJSONArray&&) noexcept = default;
TJSONArray& TJSONArray::operator=(TJSONArray&&) noexcept = default;
TJSONArray::~TJSONArray() = default;

int TJSONArray::Add(TJSONValue value)
{
    m_items.push_back(std::move(value));
    return static_cast<int>(m_items.size() - 1);
}

int TJSONArray::Count() const
{
    return static_cast<int>(m_items.size());
}

TJSONValue& TJSONArray::Item(int index)
{
    return CheckedItem(m_items, index);
}

const TJSONValue& TJSONArray::Item(int index) const
{
    return CheckedItem(m_items, index);
}

void TJSONArray::Clear()
{
    m_items.clear();
}

// ---- TJSONObject

TJSONObject::TJSONObject() = default;
TJSONObject::TJSONObject(TJSONObject&&) noexcept = default;
TJSONObject& TJSONObject::operator=(TJSONObject&&) noexcept = default;
TJSONObject::~TJSONObject() = default;

int TJSONObject::Add(TJSONMember member)
{
    m_members.push_back(std::move(member));
    return static_cast<int>(m_members.size() - 1);
}

int TJSONObject::Count() const
{
    return static_cast<int>(m_members.size());
}

TJSONMember& TJSONObject::Item(int index)
{
    return CheckedItem(m_members, index);
}

const TJSONMember& TJSONObject::Item(int index) const
{
    return CheckedItem(m_members, index);
}

TJSONMember* TJSONObject::Find(const QString& name)
{
    for (TJSONMember& member : m_members) {
        if (member.name == name)
            return &member;
    }
    return nullptr;
}

const TJSONMember* TJSONObject::Find(const QString& name) const
{
    return const_cast<TJSONObject*>(this)->Find(name);
}

void TJSONObject::Clear()
{
    m_members.clear();
}

// ---- TJSONValue

TJSONValue::TJSONValue() : m_payload(std::in_place_type<TJSONArray>) {}

TJSONValue::TJSONValue(TJSONKind kind) : m_payload(EmptyPayload(kind)) {}

TJSONValue::TJSONValue(const QString& text)
    : m_payload(std::in_place_type<QByteArray>, text.toUtf8())
{}

TJSONValue::TJSONValue(QByteArray raw) : m_payload(std::in_place_type<QByteArray>, std::move(raw))
{}

TJSONValue::TJSONValue(long double number) : m_payload(std::in_place_type<long double>, number) {}

TJSONValue::Payload TJSONValue::EmptyPayload(TJSONKind kind)
{
    switch (kind) {
    case TJSONKind::String:
        return Payload(std::in_place_type<QByteArray>);
    case TJSONKind::Number:
        return Payload(std::in_place_type<long double>, 0.0L);
    case TJSONKind::Object:
        return Payload(std::in_place_type<TJSONObject>);
    case TJSONKind::Array:
        return Payload(std::in_place_type<TJSONArray>);
    case TJSONKind::Bool:
        return Payload(std::in_place_type<bool>, false);
    case TJSONKind::Null:
        break;
    }
    return Payload(std::in_place_type<std::monostate>);
}

TJSONArray& TJSONValue::AsArray()
{
    if (auto* array = std::get_if<TJSONArray>(&m_payload))
        return *array;
    throw TJSONError(QStringLiteral("Not an array"));
}

const TJSONArray& TJSONValue::AsArray() const
{
    return const_cast<TJSONValue*>(this)->AsArray();
}

TJSONObject& TJSONValue::AsObject()
{
    if (auto* object = std::get_if<TJSONObject>(&m_payload))
        return *object;
    throw TJSONError(QStringLiteral("Not an object"));
}

const TJSONObject& TJSONValue::AsObject() const
{
    return const_cast<TJSONValue*>(this)->AsObject();
}

long double TJSONValue::AsNumber() const
{
    if (const auto* number = std::get_if<long double>(&m_payload))
        return *number;
    throw TJSONError(QStringLiteral("Not a number"));
}

bool TJSONValue::AsBool() const
{
    if (const auto* flag = std::get_if<bool>(&m_payload))
        return *flag;
    throw TJSONError(QStringLiteral("Not a bool"));
}

const QByteArray& TJSONValue::RawString() const
{
    if (const auto* raw = std::get_if<QByteArray>(&m_payload))
        return *raw;
    throw TJSONError(QStringLiteral("Not a string"));
}

QString TJSONValue::AsString() const
{
    return QString::fromUtf8(RawString());
}

void TJSONValue::SetNumber(long double number)
{
    if (auto* stored = std::get_if<long double>(&m_payload)) {
        *stored = number;
        return;
    }
    throw TJSONError(QStringLiteral("Not a number"));
}

void TJSONValue::SetBool(bool flag)
{
    if (auto* stored = std::get_if<bool>(&m_payload)) {
        *stored = flag;
        return;
    }
    throw TJSONError(QStringLiteral("Not a bool"));
}

void TJSONValue::SetString(const QString& text)
{
    SetRawString(text.toUtf8());
}

void TJSONValue::SetRawString(QByteArray raw)
{
    if (auto* stored = std::get_if<QByteArray>(&m_payload)) {
        *stored = std::move(raw);
        return;
    }
    throw TJSONError(QStringLiteral("Not a string"));
}

// ---- TJSONMember

TJSONMember::TJSONMember(QString memberName, TJSONKind kind)
    : name(std::move(memberName)), value(kind)
{}

TJSONMember::TJSONMember(QString memberName) : name(std::move(memberName)) {}
