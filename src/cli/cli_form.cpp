#include "cli/cli_command.h"
#include "cli/cli_io.h"
#include "forms/form_compiler.h"
#include "forms/form_record.h"
#include "forms/parameter_text.h"
#include "operator_messages.h"

#include <QStringList>

namespace {

const char kFormUsage[] = "Usage: czytelnia-cli form check FILE | names FILE |\n"
                          "       params [--initial TEXT] [--set NAME=VALUE ...] |\n"
                          "       render FILE [--initial TEXT] --png OUT";

QString Size(const FormExpression* tree)
{
    return tree ? QString::number(tree->Evaluate()) : QStringLiteral("-");
}

void ListTree(const my_formular& description, int depth, CliIo& io)
{
    io.WriteLine(QString(depth * 2, u' ') + description.ClassName() + QStringLiteral(" \"") +
                 description.FieldNameTemplate() + QStringLiteral("\" at ") +
                 QString::number(EvaluateTree(description.left)) + u',' +
                 QString::number(EvaluateTree(description.top)) + QStringLiteral(" size ") +
                 Size(description.WidthTree()) + u'x' + Size(description.HeightTree()) +
                 QStringLiteral(" extent ") + QString::number(description.RightExtent()) + u'x' +
                 QString::number(description.BottomExtent()));
    for (const auto& child : description.children)
        ListTree(*child, depth + 1, io);
}

// Messages come first, as the operator would see them, one
// message window a line; the tree follows. `clean` tells whether there
// were none.
std::unique_ptr<my_formular> Compile(const QString& file, CliIo& io, bool& clean)
{
    CollectedMessages messages;
    std::unique_ptr<my_formular> root = CompileForm(file, messages);
    for (const QString& line : messages.lines())
        io.WriteLine(line);
    clean = messages.lines().isEmpty();
    return root;
}

int RunParams(const QStringList& arguments, CliIo& io)
{
    my_record record;
    QString initial;
    QStringList sets;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        if (i + 1 >= arguments.size())
            return io.Fail(QString::fromLatin1(kFormUsage));
        if (word == QStringLiteral("--initial"))
            initial = arguments[++i];
        else if (word == QStringLiteral("--set") && arguments[i + 1].contains(u'='))
            sets << arguments[++i];
        else
            return io.Fail(QString::fromLatin1(kFormUsage));
    }
    LoadParameterText(initial, record);
    for (const QString& set : sets) {
        const qsizetype split = set.indexOf(u'=');
        record.SetValue(set.left(split), set.mid(split + 1));
    }
    io.WriteLine(BuildParameterText(record));
    return kCliSuccess;
}

} // namespace

int RunFormCommand(const QStringList& arguments, CliIo& io)
{
    const QString command = arguments.value(0);
    if (command == QStringLiteral("params"))
        return RunParams(arguments.mid(1), io);
    if (command == QStringLiteral("render"))
        return RunFormRenderCommand(arguments.mid(1), io);
    if (arguments.size() != 2 ||
        (command != QStringLiteral("check") && command != QStringLiteral("names")))
        return io.Fail(QString::fromLatin1(kFormUsage));
    bool clean = true;
    const std::unique_ptr<my_formular> root = Compile(arguments[1], io, clean);
    if (!root)
        return kCliFailure;
    if (command == QStringLiteral("check")) {
        // A form with messages still has its tree shown, but a script
        // checking forms must be able to tell it from a clean one.
        ListTree(*root, 0, io);
        return clean ? kCliSuccess : kCliFailure;
    }
    for (const QString& name : root->FieldNames(QString()))
        io.WriteLine(name);
    return kCliSuccess;
}
