#pragma once
// The picture of a scripted event, from data\events\. Its name comes from the scenario's
// event files, which a play-by-e-mail opponent may have sent: a name that would leave the
// pictures folder is refused. The picture is decoded by the thread that asks for it (the
// opponent's, while it posts the event); the renderer's copy is made on the main thread
// when the picture is first drawn.
#include <memory>
#include <string>
#include <string_view>

class cTexture;

// A relative name inside the folder: no "..", no root, no drive, no empty name.
bool IsSafeEventPictureName(std::wstring_view name);
// The decoded picture, logged like every picture load; null (logged) for a refused name
// or a picture that cannot be read.
std::shared_ptr<cTexture> LoadEventPicture(const std::wstring& name);
