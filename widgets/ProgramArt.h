#pragma once

#include <QIcon>
#include <QPixmap>

// The station's own pictures, drawn rather than shipped: the start-up picture and the program
// icon (a handset sending radio waves).
QPixmap SplashPicture();
QIcon ProgramIcon();
