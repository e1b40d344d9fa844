// A stand-in for Ostrell that exports only getMTM: the window must report each missing export.
extern "C" __attribute__((visibility("default"))) bool getMTM()
{
    return false;
}
