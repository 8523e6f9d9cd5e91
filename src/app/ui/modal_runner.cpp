#include "app/ui/modal_runner.h"

#include <QDialog>
#include <QLayout>

#include <deque>
#include <mutex>
#include <utility>

namespace {

// The answers a test prepared, whether a window without one is an error, and
// the windows that found none. Windows only run on the GUI thread, but a test
// may prepare answers from a worker that is about to ask something.
struct PreparedAnswers
{
    std::mutex mutex;
    std::deque<ModalAnswer> queue;
    bool required = false;
    QStringList unanswered;
};

PreparedAnswers& Prepared()
{
    static PreparedAnswers answers;
    return answers;
}

QString Describe(const QDialog& dialog)
{
    return dialog.objectName() + QStringLiteral(": ") + dialog.windowTitle();
}

// What exec() would do before the window appears: polish it and give it the
// size its layout asks for, unless the program sized it already.
void LayOut(QDialog& dialog)
{
    dialog.ensurePolished();
    if (dialog.layout() != nullptr)
        dialog.layout()->activate();
    if (!dialog.testAttribute(Qt::WA_Resized))
        dialog.adjustSize();
}

// The next prepared answer, or an empty one; when none is prepared while
// answers are required, the window is recorded and `skip` set.
ModalAnswer TakeAnswer(const QDialog& dialog, bool& skip)
{
    PreparedAnswers& prepared = Prepared();
    std::lock_guard<std::mutex> lock(prepared.mutex);
    skip = false;
    if (!prepared.queue.empty()) {
        ModalAnswer answer = std::move(prepared.queue.front());
        prepared.queue.pop_front();
        return answer;
    }
    if (prepared.required) {
        prepared.unanswered << Describe(dialog);
        skip = true;
    }
    return {};
}

} // namespace

int RunModal(QDialog& dialog)
{
    bool skip = false;
    // The lock is released before the answer runs: an answer may itself open
    // another modal window.
    ModalAnswer answer = TakeAnswer(dialog, skip);
    if (skip) {
        dialog.setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    if (!answer)
        return dialog.exec();
    LayOut(dialog);
    const int result = answer(dialog);
    // An answer may have shown the window to look at it for real.
    if (dialog.isVisible())
        dialog.hide();
    dialog.setResult(result);
    return result;
}

void PrepareModalAnswer(ModalAnswer answer)
{
    PreparedAnswers& prepared = Prepared();
    std::lock_guard<std::mutex> lock(prepared.mutex);
    prepared.queue.push_back(std::move(answer));
}

void RequirePreparedAnswers(bool required)
{
    PreparedAnswers& prepared = Prepared();
    std::lock_guard<std::mutex> lock(prepared.mutex);
    prepared.required = required;
}

QStringList TakeUnansweredModals()
{
    PreparedAnswers& prepared = Prepared();
    std::lock_guard<std::mutex> lock(prepared.mutex);
    return std::exchange(prepared.unanswered, {});
}

int PreparedAnswersLeft()
{
    PreparedAnswers& prepared = Prepared();
    std::lock_guard<std::mutex> lock(prepared.mutex);
    return static_cast<int>(prepared.queue.size());
}
