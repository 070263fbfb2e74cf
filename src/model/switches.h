// The seven generation switches, always in this order.
#pragma once

#include <QString>

#include <array>

namespace quarvel {

struct Switches {
    bool Parend = true;
    bool PB_Ignore = true;
    bool Multilang = false;
    bool Image_Include = false;
    bool Image_Null = false;
    bool UseCallFast = true;
    bool Utf8 = true;

    static constexpr int Count = 7;
    static const std::array<const char *, Count> &Names();
    bool &at(int index);
    bool at(int index) const;
    bool *find(const QString &name); // exact, case-sensitive; nullptr for an unknown name

    static Switches AllOff() { return {false, false, false, false, false, false, false}; }
    bool operator==(const Switches &) const = default;
};

// The project file, the settings file and the command line give a switch as a number: 0 is
// off, any other number on. They store it as 1 or 0.
inline bool SwitchFromNumber(qint64 number)
{
    return number != 0;
}
inline int SwitchNumber(bool on)
{
    return on ? 1 : 0;
}

} // namespace quarvel
