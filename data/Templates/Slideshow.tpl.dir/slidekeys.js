// The slide show's buttons, keys and swipes. At the first and last picture the buttons that
// would go further are switched off instead of announcing the end in a message box; the
// arrow keys (Home and End for the first and last) and a sideways swipe move the same way.
(function () {
  'use strict';
  if (typeof window.selectCurrentImage !== 'function' || !window.imgz) return;

  var choose = window.selectCurrentImage;
  var last = window.imgz.length - 1;
  var buttons = document.querySelectorAll('input[data-slide-button]');

  function atEnd(step) {
    return (step < 0 && window.current <= 0) || (step > 0 && window.current >= last);
  }

  function showButtons() {
    for (var i = 0; i < buttons.length; i++) {
      var step = Number(/-?\d+/.exec(buttons[i].getAttribute('onclick'))[0]);
      buttons[i].disabled = atEnd(step);
    }
  }

  function move(step) {
    if (atEnd(step)) return;
    choose(step);
    showButtons();
  }

  // The buttons call selectCurrentImage by name, so they take this one.
  window.selectCurrentImage = move;
  showButtons();

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
