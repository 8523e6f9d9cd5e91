#pragma once

#include <QStringList>

#include <functional>

class QDialog;

// Every modal window of the program is shown through RunModal, so that tests
// can answer it in advance instead of waiting for a person: a prepared answer
// receives the window (already laid out, not shown) and returns the result
// the window would have closed with. Used on the GUI thread only.

// The result of `dialog`: its exec(), or the next prepared answer.
int RunModal(QDialog& dialog);

using ModalAnswer = std::function<int(QDialog& dialog)>;

// For tests: the next modal window gets this answer.
void PrepareModalAnswer(ModalAnswer answer);
// For tests: a modal window with no prepared answer returns
// QDialog::Rejected at once and is recorded instead of waiting.
void RequirePreparedAnswers(bool required);
// The object names and window titles ("name: title") of the modal windows
// that found no prepared answer while answers were required; the list is
// emptied by the call.
QStringList TakeUnansweredModals();
// How many prepared answers are still waiting.
int PreparedAnswersLeft();
