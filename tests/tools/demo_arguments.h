#pragma once

#include <QStringList>

#include <initializer_list>

// A simulator command line for the demo data with the given options.
inline QStringList DemoArguments(std::initializer_list<const char*> options)
{
    QStringList arguments{QStringLiteral("--demo")};
    for (const char* option : options)
        arguments << QString::fromLatin1(option);
    return arguments;
}
