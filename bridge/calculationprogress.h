#pragma once
// How far the computation library has got, for the status bar. The MTM library passes no progress
// on, so the plug-in asks the computation library itself, when it offers "GetCalculationProgress".

#include <tmtm.h>

#include <optional>
#include <string>

namespace bridge {

// Where the MTM library finds the computation library, relative to the host's working folder.
constexpr const char* kComputationLibrary = "./MTM/Feltrane.dll";

class CalculationProgress {
public:
    // Looks the export up in the library (a Windows or native name, relative to the current
    // folder); without the library or the export there is no progress. Replaces an earlier binding.
    void bind(const std::string& libraryName);
    bool isBound() const { return progress_ != nullptr; }

    // Percent done (0 … 100) of the running computation; nothing while unknown.
    std::optional<double> percent() const;

private:
    GetCalculationProgress_t progress_ = nullptr;
};

} // namespace bridge
