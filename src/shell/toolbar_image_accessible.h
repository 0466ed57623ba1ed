#pragma once

namespace shell {

/**
 * Makes screen readers see the toolbar pictures that have a tooltip as push buttons named by it, with a press action
 * that acts as a click. Once for the run; a second call changes nothing.
 */
void installToolbarImageAccessibility();

} // namespace shell
