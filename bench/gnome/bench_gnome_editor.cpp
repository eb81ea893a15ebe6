// Click on "区域截图" to the editor's first frame on GNOME, beside a bare portal
// screenshot round trip (bench.sh runs it on the gnome desktop).
#include "bench/waylandeditor.h"

int main(int argc, char** argv) {
    return wldbench::runEditorBench(argc, argv, false);
}
