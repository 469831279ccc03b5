#pragma once

// The sequence of poll frames: cycles, and when the device's object
// information is on, one read request and one fetch of the object block in
// every seventeen polls. Which answers are shown depends on where in the
// sequence the poll was started.

#include <QByteArray>

#include <string>

namespace DirazSensorPlugin {
namespace Core {

enum class PollFrame { Cycle, ObjectInfoRead, ObjectInfoFetch };

// Counter value after a full sequence has been sent.
constexpr int PollSequenceStart = 16;

// The frame of the poll that starts with the counter at `counter`; moves the
// counter on to its value after the poll.
PollFrame nextPollFrame(int &counter, int objectInfoMode);

// Whether the count octet of a master answer matches the octets that follow
// it; anything else is noise, whatever its length.
bool answerCountMatches(const QByteArray &answer);

// The octets of a poll frame.
std::string pollFrameOctets(PollFrame frame);

// Whether an answer of `octets` octets, handled with the counter at
// `counter` (its value after the poll was sent), goes to the process-data
// decoder. The cycle sent with the counter at 2 is skipped.
bool answerShowsProcessData(int octets, int counter);

// Whether it goes to the object-information decoder: the answer of the fetch
// sent with the counter at 8.
bool answerShowsObjectInfo(int octets, int counter, int objectInfoMode);

} // namespace Core
} // namespace DirazSensorPlugin
