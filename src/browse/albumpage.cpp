#include "app/form1.h"

void Form1::ShowAlbumPage() {}

void Form1::SwitchBrowseMode() {}
