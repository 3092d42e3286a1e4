// The playlist adds the browsing pages call; they queue nothing until the playlist's adds are built.
#include "app/form1.h"

void Form1::ListView_DblClick() {}

void Form1::SSonglist_DblClick() {}

void Form1::Image11_DblClick() {}
