#include "app/varnel_app.h"

int main(int argc, char** argv)
{
    CVarnelApp app(argc, argv);
    LaunchOptions options;
    int exitCode = 0;
    if (!app.parseCommandLine(options, exitCode))
        return exitCode;
    app.initInstance(options);
    const int code = app.exec();
    app.shutdown();
    return code;
}
