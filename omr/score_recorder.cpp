#include "omr/score_recorder.h"

namespace {
thread_local ScoreRecorder* t_boundRecorder = nullptr;
}

ScoreRecorder* BoundScoreRecorder()
{
    return t_boundRecorder;
}

ScopedScoreRecorder::ScopedScoreRecorder(ScoreRecorder& recorder)
    : m_previous(t_boundRecorder)
{
    t_boundRecorder = &recorder;
}

ScopedScoreRecorder::~ScopedScoreRecorder()
{
    t_boundRecorder = m_previous;
}
