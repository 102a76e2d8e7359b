#include "platform/ui/MsgBoxScript.h"

namespace ui {

MsgBoxScript::MsgBoxScript(int defaultAnswer) : defaultAnswer_(defaultAnswer)
{
    previous_ = installMsgBoxResponder([this](const MsgBoxCall& call) { return respond(call); });
}

MsgBoxScript::~MsgBoxScript()
{
    installMsgBoxResponder(std::move(previous_));
}

MsgBoxScript& MsgBoxScript::answer(int a)
{
    queue_.enqueue(a);
    return *this;
}

MsgBoxScript& MsgBoxScript::answer(std::initializer_list<int> answers)
{
    for (int a : answers)
        queue_.enqueue(a);
    return *this;
}

QStringList MsgBoxScript::texts() const
{
    QStringList t;
    for (const Box& b : boxes_)
        t << b.text;
    return t;
}

QStringList MsgBoxScript::problems() const
{
    QStringList p = problems_;
    if (!queue_.isEmpty())
        p << QStringLiteral("%1 queued answer(s) never asked for").arg(queue_.size());
    return p;
}

void MsgBoxScript::clear()
{
    queue_.clear();
    boxes_.clear();
    problems_.clear();
}

int MsgBoxScript::respond(const MsgBoxCall& call)
{
    const QList<int> possible = msgBoxAnswers(call.flags);
    int a = 0;
    if (possible.size() == 1) {
        a = possible.first();
    } else if (!queue_.isEmpty()) {
        a = queue_.dequeue();
        if (!possible.contains(a)) {
            problems_ << QStringLiteral("answer %1 queued for a box without that button: \"%2\"")
                             .arg(msgBoxAnswerName(a), call.text);
            a = msgBoxDefaultAnswer(call.flags);
        }
    } else {
        a = possible.contains(defaultAnswer_) ? defaultAnswer_ : msgBoxDefaultAnswer(call.flags);
        problems_ << QStringLiteral("question with no queued answer (answered %1): \"%2\"")
                         .arg(msgBoxAnswerName(a), call.text);
    }
    Box box;
    static_cast<MsgBoxCall&>(box) = call;
    box.answer = a;
    boxes_ << box;
    return a;
}

}  // namespace ui
