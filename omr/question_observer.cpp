#include "omr/question_observer.h"

namespace {
thread_local QuestionObserver* t_boundObserver = nullptr;
}

QuestionObserver* BoundQuestionObserver()
{
    return t_boundObserver;
}

ScopedQuestionObserver::ScopedQuestionObserver(QuestionObserver& observer)
    : m_previous(t_boundObserver)
{
    t_boundObserver = &observer;
}

ScopedQuestionObserver::~ScopedQuestionObserver()
{
    t_boundObserver = m_previous;
}
