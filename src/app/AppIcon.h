// The application's icon: one 40 x 40 image in a few flat colours, shown by
// the task-bar entry and the main window.
#pragma once

#include <QIcon>

namespace app {

QIcon applicationIcon();

} // namespace app
