#pragma once
// A window whose one object fills what the window's bars leave of it, through the window's geometry manager.

class ZafWindow;
class ZafWindowObject;

// Adds a geometry manager to `window` that keeps `object` (already added) attached to all four sides,
// stretching with the window.
void FillWithObject(ZafWindow& window, ZafWindowObject* object);
