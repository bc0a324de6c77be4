#pragma once
// The serial ports present on this machine, read from sysfs without opening
// any of them (opening a port can reset a board).

#include <string>
#include <vector>

constexpr const char* kSysfsTtyRoot = "/sys/class/tty";

// The ports found, in natural order (ttyUSB2 before ttyUSB10).
struct PortDeviceList {
    std::vector<std::string> names;
};

// Every entry with a driver, less the UART slots with no hardware behind them.
PortDeviceList OpenPortDeviceList(const std::string& sysfsRoot = kSysfsTtyRoot);
void ResetPortEnumeration();
// The next name of the list into `destination`: 1, or 0 at the end.
int NextPortName(const PortDeviceList& list, std::string& destination);
// Each port name followed by "\n", appended to `text`; the number of names.
int ListPorts(std::string& text, const std::string& sysfsRoot = kSysfsTtyRoot);
// "a2" before "a10": digit runs compare as numbers.
bool NaturalLess(const std::string& a, const std::string& b);
