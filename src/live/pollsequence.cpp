#include "live/pollsequence.h"

#include "comm/masterframes.h"

namespace DirazSensorPlugin {
namespace Core {

namespace {

constexpr int ReadAt = 12;
constexpr int FetchAt = 8;

} // namespace

PollFrame nextPollFrame(int &counter, int objectInfoMode)
{
    if (counter <= 0) {
        counter = PollSequenceStart;
        return PollFrame::Cycle;
    }
    const int at = counter--;
    if (objectInfoMode == 1 && at == ReadAt)
        return PollFrame::ObjectInfoRead;
    if (objectInfoMode == 1 && at == FetchAt)
        return PollFrame::ObjectInfoFetch;
    return PollFrame::Cycle;
}

std::string pollFrameOctets(PollFrame frame)
{
    switch (frame) {
    case PollFrame::ObjectInfoRead:
        return objectInfoReadFrame();
    case PollFrame::ObjectInfoFetch:
        return fetchResultFrame();
    case PollFrame::Cycle:
        break;
    }
    return cycleFrame();
}

bool answerCountMatches(const QByteArray &answer)
{
    return !answer.isEmpty() && static_cast<unsigned char>(answer.at(0)) + 1 == answer.size();
}

bool answerShowsProcessData(int octets, int counter)
{
    return octets == CycleAnswerLength && counter != 1;
}

bool answerShowsObjectInfo(int octets, int counter, int objectInfoMode)
{
    return counter == FetchAt - 1 && objectInfoMode == 1 && octets > 20;
}

} // namespace Core
} // namespace DirazSensorPlugin
