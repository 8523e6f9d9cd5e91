#include "forms/form_expression.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

qint32 Wrap(qint64 value)
{
    return static_cast<qint32>(static_cast<quint32>(static_cast<quint64>(value)));
}

qint32 RoundedQuotient(qint32 dividend, qint32 divisor)
{
    if (divisor == 0)
        return 0;
    const double quotient = std::nearbyint(static_cast<double>(dividend) / divisor);
    // Only the minimum divided by -1 leaves the 32-bit range.
    const double high = static_cast<double>(std::numeric_limits<qint32>::max());
    const double low = static_cast<double>(std::numeric_limits<qint32>::min());
    return static_cast<qint32>(std::clamp(quotient, low, high));
}

} // namespace

FormExpression::FormExpression(Kind kind, qint32 value, std::unique_ptr<FormExpression> left,
                               std::unique_ptr<FormExpression> right)
    : m_kind(kind), m_value(value), m_left(std::move(left)), m_right(std::move(right)),
      m_depth(1 + std::max(m_left ? m_left->m_depth : 0, m_right ? m_right->m_depth : 0))
{}

std::unique_ptr<FormExpression> FormExpression::Constant(qint32 value)
{
    return std::unique_ptr<FormExpression>(new FormExpression(Kind::Constant, value, {}, {}));
}

std::unique_ptr<FormExpression> FormExpression::Negate(std::unique_ptr<FormExpression> operand)
{
    return std::unique_ptr<FormExpression>(
        new FormExpression(Kind::Negate, 0, std::move(operand), {}));
}

std::unique_ptr<FormExpression> FormExpression::Binary(Kind kind,
                                                       std::unique_ptr<FormExpression> left,
                                                       std::unique_ptr<FormExpression> right)
{
    return std::unique_ptr<FormExpression>(
        new FormExpression(kind, 0, std::move(left), std::move(right)));
}

std::unique_ptr<FormExpression> FormExpression::Clone() const
{
    return std::unique_ptr<FormExpression>(new FormExpression(
        m_kind, m_value, m_left ? m_left->Clone() : nullptr, m_right ? m_right->Clone() : nullptr));
}

qint32 FormExpression::Evaluate() const
{
    const qint64 left = m_left ? m_left->Evaluate() : 0;
    const qint64 right = m_right ? m_right->Evaluate() : 0;
    switch (m_kind) {
    case Kind::Constant:
        return m_value;
    case Kind::Negate:
        return Wrap(-left);
    case Kind::Add:
        return Wrap(left + right);
    case Kind::Subtract:
        return Wrap(left - right);
    case Kind::Multiply:
        return Wrap(left * right);
    case Kind::Divide:
        return RoundedQuotient(static_cast<qint32>(left), static_cast<qint32>(right));
    }
    return 0;
}

qint32 EvaluateTree(const ExpressionTree& tree)
{
    return tree ? tree->Evaluate() : 0;
}

ExpressionTree CloneTree(const ExpressionTree& tree)
{
    return tree ? tree->Clone() : nullptr;
}
