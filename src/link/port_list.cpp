#include "link/port_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::size_t enumerationIndex = 0;

// An internal UART slot that is not fitted reports type 0.
bool IsEmptyUartSlot(const fs::path& entry)
{
    std::ifstream type(entry / "type");
    int value = -1;
    return type >> value && value == 0;
}

bool IsPresentPort(const fs::path& entry)
{
    std::error_code error;
    return fs::exists(entry / "device" / "driver", error) && !IsEmptyUartSlot(entry);
}

} // namespace

bool NaturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (std::isdigit(static_cast<unsigned char>(a[i])) && std::isdigit(static_cast<unsigned char>(b[j]))) {
            const std::size_t startA = i, startB = j;
            while (i < a.size() && std::isdigit(static_cast<unsigned char>(a[i])))
                ++i;
            while (j < b.size() && std::isdigit(static_cast<unsigned char>(b[j])))
                ++j;
            std::string numberA = a.substr(startA, i - startA), numberB = b.substr(startB, j - startB);
            numberA.erase(0, std::min(numberA.find_first_not_of('0'), numberA.size()));
            numberB.erase(0, std::min(numberB.find_first_not_of('0'), numberB.size()));
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

PortDeviceList OpenPortDeviceList(const std::string& sysfsRoot)
{
    PortDeviceList list;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(sysfsRoot, error))
        if (IsPresentPort(entry.path()))
            list.names.push_back(entry.path().filename().string());
    std::sort(list.names.begin(), list.names.end(), NaturalLess);
    return list;
}

void ResetPortEnumeration() { enumerationIndex = 0; }

int NextPortName(const PortDeviceList& list, std::string& destination)
{
    if (enumerationIndex >= list.names.size())
        return 0;
    destination = list.names[enumerationIndex++];
    return 1;
}

int ListPorts(std::string& text, const std::string& sysfsRoot)
{
    ResetPortEnumeration();
    const PortDeviceList list = OpenPortDeviceList(sysfsRoot);
    int count = 0;
    for (std::string name; NextPortName(list, name); ++count)
        text += name + "\n";
    return count;
}
