// The slide show's picture named for screen readers by its file name, and the slides moved
// by the arrow keys (Home and End for the first and last) and by a sideways swipe.
(function () {
  'use strict';
  var picture = document.images.FSCBild;
  if (!picture || typeof window.selectCurrentImage !== 'function') return;

  function label() {
    var file = picture.getAttribute('src').split('/').pop();
    try {
      file = decodeURIComponent(file);
    } catch (error) {
      // A name that is not valid percent-encoding is shown as written.
    }
    picture.alt = file.replace(/\.[^.]*$/, '').replace(/_/g, ' ');
  }

  var choose = window.selectCurrentImage;
  window.selectCurrentImage = function (step) {
    choose(step);
    label();
  };
  label();

  // The buttons announce the ends with a message box; keys and swipes simply stop there.
  function move(step) {
    var last = window.imgz.length - 1;
    if ((step === -1 && window.current <= 0) || (step === 1 && window.current >= last)) return;
    window.selectCurrentImage(step);
  }

  var keys = { ArrowLeft: -1, ArrowRight: 1, Home: -2, End: 2 };
  document.addEventListener('keydown', function (event) {
    if (event.defaultPrevented || event.altKey || event.ctrlKey || event.metaKey ||
        event.shiftKey || !(event.key in keys)) {
      return;
    }
    event.preventDefault();
    move(keys[event.key]);
  });

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
    move(dx < 0 ? 1 : -1);
  });
})();
