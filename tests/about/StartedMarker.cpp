// Stands in for the system information program: leaves a file in its working folder to show that
// it was started.
#include <fstream>

int main() {
    std::ofstream("system-information-started.txt") << "started\n";
    return 0;
}
