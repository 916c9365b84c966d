// The picture pages' keys and swipes: the left and right arrow keys and a swipe move to the
// previous or next picture, Escape leaves the picture. They follow the page's own links, so
// a page without this script (or without JavaScript) works the same by its links.
(function () {
  'use strict';
  var previous = 'a[rel~="prev"]';
  var next = 'a[rel~="next"]';
  var keys = { ArrowLeft: previous, ArrowRight: next, Escape: 'a.back' };

  // A click, not a change of address, so a link's target frame is kept.
  function follow(selector) {
    var link = document.querySelector(selector);
    if (link) link.click();
    return link !== null;
  }

  // A picture opened from the thumbnail strip of a frame set would leave the keyboard in
  // the strip, where these keys do nothing: the picture's frame takes the focus.
  if (window.parent !== window) window.focus();

  document.addEventListener('keydown', function (event) {
    if (event.defaultPrevented || event.altKey || event.ctrlKey || event.metaKey ||
        event.shiftKey) {
      return;
    }
    var selector = keys[event.key];
    if (selector && follow(selector)) event.preventDefault();
  });

  // A swipe is a mostly sideways movement of one finger; a zoomed-in page pans instead.
  var start = null;
  document.addEventListener('touchstart', function (event) {
    var zoomed = window.visualViewport && window.visualViewport.scale > 1.01;
    start = event.touches.length === 1 && !zoomed ?
      { x: event.touches[0].clientX, y: event.touches[0].clientY } : null;
  }, { passive: true });
  document.addEventListener('touchend', function (event) {
    if (start === null || event.changedTouches.length !== 1) return;
    var dx = event.changedTouches[0].clientX - start.x;
    var dy = event.changedTouches[0].clientY - start.y;
    start = null;
    if (Math.abs(dx) < 50 || Math.abs(dx) < 2 * Math.abs(dy)) return;
    follow(dx < 0 ? next : previous);
  });
})();
