#pragma once

#include <memory>

class Twypozyczalnia;

// The session of the last login, which every part of the program that talks
// to the server goes through. Used from the main thread only.

// Null before the first login and after the session ended.
Twypozyczalnia* CurrentSession();
// Ends the current session, if any, and makes `session` the current one.
void ReplaceCurrentSession(std::unique_ptr<Twypozyczalnia> session);
// The client says goodbye and disconnects; there is no session afterwards.
void EndCurrentSession();
