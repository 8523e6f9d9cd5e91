#include "catalog/current_session.h"

#include "catalog/twypozyczalnia.h"

namespace {

std::unique_ptr<Twypozyczalnia>& Current()
{
    static std::unique_ptr<Twypozyczalnia> session;
    return session;
}

} // namespace

Twypozyczalnia* CurrentSession()
{
    return Current().get();
}

// The old session says goodbye before the new one becomes current, so the
// handlers never reach a half-ended session.
void ReplaceCurrentSession(std::unique_ptr<Twypozyczalnia> session)
{
    EndCurrentSession();
    Current() = std::move(session);
}

void EndCurrentSession()
{
    std::unique_ptr<Twypozyczalnia> ending = std::move(Current());
}
