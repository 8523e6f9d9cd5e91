#pragma once

#include "forms/form_descriptions.h"

#include <QString>

#include <memory>

class OperatorMessages;

// Compiles the form description in `fileName` (8-bit text in the code page)
// into its tree: a root whose children are the statements of the outermost
// block. Errors are shown through `messages` and compilation goes on, so a
// faulty description still yields the tree built around its errors. Nothing
// is returned only when the file cannot be opened ("Brak pliku").
std::unique_ptr<my_formular> CompileForm(const QString& fileName, OperatorMessages& messages);

// The same for a description already in memory.
std::unique_ptr<my_formular> CompileFormText(const QString& text, OperatorMessages& messages);
