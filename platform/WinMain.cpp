// The Windows entry point of every program: hands over to the application object.
#include "WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int) {
    return CWinApp::Main(instance, cmdLine);
}
