// Click on "区域截图" to the editor's first frame on KDE (KWin), beside bare
// round trips of the portal and of KWin's own ScreenShot2 (bench.sh runs it on the
// kde desktop).
#include "bench/waylandeditor.h"

int main(int argc, char** argv) {
    return wldbench::runEditorBench(argc, argv, true);
}
