#pragma once

#include "platform/ui/MsgBox.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

namespace ui {

// A scripted stand-in for the user in front of message boxes, for tests. While it lives, every
// MsgBox is recorded (text, buttons, icon, default button, title) and answered without showing
// anything:
//   - a box with only an OK button answers vbOK and leaves the queue alone (it has no choice);
//   - any other box takes the next queued answer;
//   - with the queue empty it takes the default answer given to the constructor or, when none
//     was given, the answer of the box's own default button.
// A question answered from an empty queue, or a queued answer that is not one of the box's
// buttons (the box's default answer is used instead), is noted in problems(), so a test can say
// EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join('\n').
// Scripts nest: the innermost one answers, and the previous one is back when it goes.
class MsgBoxScript {
public:
    struct Box : MsgBoxCall {
        int answer = 0;
    };

    explicit MsgBoxScript(int defaultAnswer = 0);
    ~MsgBoxScript();
    MsgBoxScript(const MsgBoxScript&) = delete;
    MsgBoxScript& operator=(const MsgBoxScript&) = delete;

    // Queues the answers for the next questions, in order.
    MsgBoxScript& answer(int a);
    MsgBoxScript& answer(std::initializer_list<int> answers);

    const QList<Box>& boxes() const { return boxes_; }
    int count() const { return int(boxes_.size()); }
    // The last box; a default Box (empty text) when none was shown.
    Box last() const { return boxes_.isEmpty() ? Box{} : boxes_.last(); }
    QStringList texts() const;
    bool shown(const QString& text) const { return texts().contains(text); }
    int pendingAnswers() const { return int(queue_.size()); }
    // Unanswered questions, impossible answers and answers queued but never used.
    QStringList problems() const;
    // Forgets the boxes, the queue and the problems.
    void clear();

private:
    int respond(const MsgBoxCall& call);

    int defaultAnswer_;
    QQueue<int> queue_;
    QList<Box> boxes_;
    QStringList problems_;
    MsgBoxResponder previous_;
};

}  // namespace ui
