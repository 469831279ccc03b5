#pragma once

// The device's two 32-bit flag words, StatusWord and ErrorMaskWord, and the
// bool properties that show their bits.

#include <QString>
#include <QVector>

#include <cstdint>
#include <functional>
#include <utility>

namespace DirazSensorPlugin {
namespace Core {

enum class FlagWord { StatusWord, ErrorMaskWord };

struct FlagBit
{
    int bit;
    const char *statusId;    // flag of StatusWord
    const char *errorMaskId; // flag of ErrorMaskWord
};

// Every bit that carries a flag, most significant first; bit 0 is the
// parent property itself ("SignalWarning" / "ErrSignalWarning").
const QVector<FlagBit> &flagBits();

// Id of the flag at `bit` of the word, empty when the bit carries none.
QString flagId(FlagWord word, int bit);
// Bit of a flag id of either word, -1 when the id is none.
int flagBit(const QString &id);
// The parent property of the word.
QString flagWordParentId(FlagWord word);
// Which word an edited bool property belongs to: ids containing "BOOLErr"
// and "ErrSignalWarning" the error mask, other ids containing "BOOL" and
// "SignalWarning" the status word. False for any other bool.
bool flagWordOf(const QString &id, FlagWord *word);

// Every flag of the word with its value in `value`.
QVector<std::pair<QString, bool>> flagValues(FlagWord word, std::uint32_t value);
// The word from the current values of its flags, unflagged bits zero.
std::uint32_t composeFlagWord(FlagWord word, const std::function<bool(const QString &id)> &valueOf);

} // namespace Core
} // namespace DirazSensorPlugin
