// Form descriptions come from the catalog: any text must compile to some
// tree, with messages, and the tree must answer every question asked of it.
#include "client/ansi_codec.h"
#include "forms/form_compiler.h"
#include "forms/form_record.h"
#include "forms/parameter_text.h"
#include "operator_messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CollectedMessages messages;
    const std::unique_ptr<my_formular> root = CompileFormText(DecodeAnsi(bytes), messages);
    if (!root)
        std::abort();
    const QStringList names = root->FieldNames(QString());
    root->ValueFields();
    root->RightExtent();
    root->BottomExtent();

    // The names and the text itself as values: reading the parameter text
    // back can merge entries (names that differ only by an escape) but never
    // invent one.
    my_record record;
    for (const QString& name : names)
        record.SetValue(name, QString::fromLatin1(bytes.left(16)));
    LoadParameterText(QString::fromLatin1(bytes), record);
    const QString text = BuildParameterText(record);
    my_record again;
    LoadParameterText(text, again);
    if (again.entries().size() > record.entries().size())
        std::abort();
    return 0;
}
