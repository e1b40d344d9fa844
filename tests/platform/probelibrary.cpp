// A tiny shared library that the loader tests load by its Windows name.
extern "C" __attribute__((visibility("default"))) int kalmenoProbeAnswer()
{
    return 42;
}
