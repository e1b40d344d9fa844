#pragma once
// The scene objects' conveyer. Option 4 shows the polygonal models (and puts them into the
// feedback); option 2 is the light; the others are kept as given.

#include "isceneconveyer.h"
#include "optionsandfeedback.h"

namespace quelmar {

class HostSceneConveyer : public OptionsAndFeedback<hostsdk::ISceneConveyer> {
public:
    static constexpr std::uint32_t kLight = 2;
    static constexpr std::uint32_t kPolygonal = 4;

    HostSceneConveyer() : OptionsAndFeedback(kLight | kPolygonal) {}
};

} // namespace quelmar
