#pragma once

#include <QtGlobal>

#include <memory>

// An integer expression of a form description (coordinates, sizes, counts),
// kept as a small tree so that geometry is evaluated only when editors are
// built and derived values (row heights, window offsets) can be combined
// from copies of the parsed trees.
class FormExpression
{
public:
    enum class Kind
    {
        Constant,
        Negate,
        Add,
        Subtract,
        Multiply,
        Divide
    };

    static std::unique_ptr<FormExpression> Constant(qint32 value);
    static std::unique_ptr<FormExpression> Negate(std::unique_ptr<FormExpression> operand);
    static std::unique_ptr<FormExpression> Binary(Kind kind, std::unique_ptr<FormExpression> left,
                                                  std::unique_ptr<FormExpression> right);

    // A copy that shares nothing with this tree.
    std::unique_ptr<FormExpression> Clone() const;

    // 32-bit arithmetic that wraps instead of overflowing; "/" divides as real
    // numbers and rounds to the nearest integer, ties to even. A zero divisor
    // gives 0 rather than undefined behaviour.
    qint32 Evaluate() const;

    Kind kind() const { return m_kind; }
    // Levels of the tree: the parser bounds it so that evaluating, copying
    // and freeing (all recursive) stay within the stack.
    int depth() const { return m_depth; }

private:
    FormExpression(Kind kind, qint32 value, std::unique_ptr<FormExpression> left,
                   std::unique_ptr<FormExpression> right);

    Kind m_kind;
    qint32 m_value;
    std::unique_ptr<FormExpression> m_left;
    std::unique_ptr<FormExpression> m_right;
    int m_depth;
};

using ExpressionTree = std::unique_ptr<FormExpression>;

// An absent tree counts as 0.
qint32 EvaluateTree(const ExpressionTree& tree);
ExpressionTree CloneTree(const ExpressionTree& tree);
