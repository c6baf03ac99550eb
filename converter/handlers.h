#pragma once

// Bound to the ContentChanged events of the three boxes. Each acts only
// while its own box has the keyboard focus, so the program's own write into
// the other box does not echo back.
void OnCentimetreBoxChanged();
void OnResolutionBoxChanged();
void OnPixelBoxChanged();
void RecomputePixels();
