#include "capturesetup.h"

namespace bridge {

void InitializeFeedback()
{
}

void OnEnginePreRender(void*)
{
}

void OnEnginePostRender(void*)
{
}

} // namespace bridge
