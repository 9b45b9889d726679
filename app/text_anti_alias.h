#pragma once

// Whether the UI draws text anti-aliased: off at process start, set once the fonts are
// installed (from the set_language option), read by the render layer's text drawing.
bool TextAntiAliasEnabled();
void SetTextAntiAliasEnabled(bool enabled);
