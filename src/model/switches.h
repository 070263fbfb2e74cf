// The seven generation switches, always in this order.
#pragma once

#include <QString>

#include <array>

namespace quarvel {

struct Switches {
    int Parend = 1;
    int PB_Ignore = 1;
    int Multilang = 0;
    int Image_Include = 0;
    int Image_Null = 0;
    int UseCallFast = 1;
    int Utf8 = 1;

    static constexpr int Count = 7;
    static const std::array<const char *, Count> &Names();
    int &at(int index);
    int at(int index) const;
    int *find(const QString &name); // exact, case-sensitive; nullptr for an unknown name

    static Switches AllOff() { return {0, 0, 0, 0, 0, 0, 0}; }
    bool operator==(const Switches &) const = default;
};

} // namespace quarvel
