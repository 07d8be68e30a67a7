#include "app/launch_options.h"
#include "app/varnel_app.h"

int main(int argc, char** argv)
{
    LaunchOptions options;
    if (const std::optional<int> exitCode = parseLaunchOptions(argc, argv, options))
        return *exitCode;
    CVarnelApp app(argc, argv);
    app.initInstance(options);
    const int code = app.exec();
    app.shutdown();
    return code;
}
