#include "app/form1.h"

#include "platform/picturebox.h"

// The main window's load handler.
void Form1::formLoad() {
    files.ConfPath.clear();
    layout.DoorState = 0;
    layout.DoorWidth = static_cast<std::int32_t>(LeftDoor->width());
    pages.PlayListOpen = 0;
    layout.LayoutEditMode = 0;
    pages.AddSongsOpen = 0;
    playback.RandomMode = 0;
    playback.LoopMode = 0;
    playback.StoppedFlag = 0;
    playback.CurrentIndex = 1;
    browse.TopTenFirst = 1;
    browse.AlbumPageMode = 1;
    browse.TopTenLast = 2;
    browse.AlbumPageLast = 8;
    browse.AlbumPageFirst = 1;
    playback.StartAtFirst = 1;
    browse.WheelFromCell = 1;
    loadDesignPictures(*this, layout::kForm1, layout::kForm1Groups, m_controls);
}
