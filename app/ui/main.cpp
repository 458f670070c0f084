#include "platform/events.h"

int main(int argc, char** argv) {
    platform::Application app(argc, argv, true);
    return app.run();
}
