// A leak in our own code on purpose. Run with the suppressions of every sanitizer test, it must
// still be reported: they may name the system's libraries, never hide what we lose.
#include <cstdio>
#include <thread>

namespace {

struct Lost {
    char bytes[77];
};

Lost* volatile lost = nullptr;

} // namespace

int main()
{
    // On a thread that ends: no register or stack slot of it keeps the address alive.
    std::thread([] {
        lost = new Lost{};
        lost = nullptr;
    }).join();
    std::puts("leakprobe: 77 bytes lost on purpose");
    return 0;
}
