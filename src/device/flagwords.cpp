#include "device/flagwords.h"

namespace DirazSensorPlugin {
namespace Core {

const QVector<FlagBit> &flagBits()
{
    static const QVector<FlagBit> bits = {
        {29, "BOOLShortCircuit", "BOOLErrShortCircuit"},
        {28, "BOOLUndervoltage", "BOOLErrUndervoltage"},
        {22, "BOOLSpeedMesure", "BOOLErrSpeedMesure"},
        {21, "BOOLAnalogError", "BOOLErrAnalogError"},
        {20, "BOOLTempWarnLow", "BOOLErrTempWarnLow"},
        {19, "BOOLTempWarnHigh", "BOOLErrTempWarnHigh"},
        {18, "BOOLTempError", "BOOLErrTempError"},
        {17, "BOOLFatalError", "BOOLErrFatalError"},
        {8, "BOOLLightOff", "BOOLErrLightOff"},
        {6, "BOOLNoData", "BOOLErrNoData"},
        {5, "BOOLTooFar", "BOOLErrTooFar"},
        {4, "BOOLTooClose", "BOOLErrTooClose"},
        {3, "BOOLAmbientLight", "BOOLErrAmbientLight"},
        {2, "BOOLContamonatinRange", "BOOLErrContamonatinRange"},
        {1, "BOOLContamonatinOptic", "BOOLErrContamonatinOptic"},
        {0, "SignalWarning", "ErrSignalWarning"},
    };
    return bits;
}

QString flagId(FlagWord word, int bit)
{
    for (const FlagBit &f : flagBits()) {
        if (f.bit == bit)
            return QString::fromLatin1(word == FlagWord::StatusWord ? f.statusId : f.errorMaskId);
    }
    return QString();
}

int flagBit(const QString &id)
{
    for (const FlagBit &f : flagBits()) {
        if (id == QLatin1String(f.statusId) || id == QLatin1String(f.errorMaskId))
            return f.bit;
    }
    return -1;
}

QString flagWordParentId(FlagWord word)
{
    return flagId(word, 0);
}

bool flagWordOf(const QString &id, FlagWord *word)
{
    FlagWord w;
    if (id.contains(QLatin1String("BOOLErr")) || id == QLatin1String("ErrSignalWarning"))
        w = FlagWord::ErrorMaskWord;
    else if (id.contains(QLatin1String("BOOL")) || id == QLatin1String("SignalWarning"))
        w = FlagWord::StatusWord;
    else
        return false;
    if (word)
        *word = w;
    return true;
}

QVector<std::pair<QString, bool>> flagValues(FlagWord word, std::uint32_t value)
{
    QVector<std::pair<QString, bool>> out;
    out.reserve(flagBits().size());
    for (const FlagBit &f : flagBits())
        out.append({flagId(word, f.bit), ((value >> f.bit) & 1u) != 0});
    return out;
}

std::uint32_t composeFlagWord(FlagWord word, const std::function<bool(const QString &id)> &valueOf)
{
    std::uint32_t value = 0;
    for (const FlagBit &f : flagBits()) {
        if (valueOf && valueOf(flagId(word, f.bit)))
            value |= 1u << f.bit;
    }
    return value;
}

} // namespace Core
} // namespace DirazSensorPlugin
