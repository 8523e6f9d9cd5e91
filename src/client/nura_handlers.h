#pragma once

#include <QString>

#include <QtGlobal>

// A notification handler of the client: an owner object and a function that
// receives it. Plain owner + function pairs, as the windows register their own
// methods; `Of` binds a member function without a lambda per call site.
template <typename... Args> struct TMethodHandler
{
    using Function = void (*)(void* owner, Args... args);

    void* owner = nullptr;
    Function function = nullptr;

    explicit operator bool() const { return function != nullptr; }

    void operator()(Args... args) const
    {
        if (function != nullptr)
            function(owner, args...);
    }

    template <auto Method, typename Owner> static TMethodHandler Of(Owner* target)
    {
        return {target, [](void* o, Args... args) { (static_cast<Owner*>(o)->*Method)(args...); }};
    }
};

// Error, message and server-message handlers receive one text.
using TTextHandler = TMethodHandler<const QString&>;
// Progress of a file transfer: bytes done, bytes in all.
using TProgressHandler = TMethodHandler<qint64, qint64>;
