// Opens the pictures of a thumbnail page in PhotoSwipe's lightbox: zoom, pinch, swipe, the
// arrow keys, Escape, full screen. Each thumbnail link still leads to its picture page, so a
// visitor without JavaScript, a middle click or a link opened in a new tab gets the page.
// The lightbox's own script and stylesheet load only when the page is idle or a picture is
// opened, so the thumbnails come first.
//
// A link takes part when it carries data-pswp-src, -width and -height; a hidden element of
// class "lightbox-caption" after it holds the caption. In a frameset the script runs in the
// outer page (data-frame names the frame of the thumbnails) so that the lightbox covers the
// whole window; where the browser keeps the frame's document out of reach (pages opened from
// disk) the links work as links.
(function () {
  'use strict';
  var script = document.currentScript;
  var base = script.src;
  var frameName = script.getAttribute('data-frame');
  var loading = null;

  function load(tag, attributes) {
    return new Promise(function (resolve, reject) {
      var element = document.createElement(tag);
      Object.keys(attributes).forEach(function (name) { element[name] = attributes[name]; });
      element.onload = resolve;
      element.onerror = reject;
      document.head.appendChild(element);
    });
  }

  function loadPhotoSwipe() {
    if (!loading) {
      loading = Promise.all([
        load('link', { rel: 'stylesheet', href: new URL('photoswipe/photoswipe.css', base).href }),
        load('link', { rel: 'stylesheet', href: new URL('lightbox.css', base).href }),
        load('script', { src: new URL('photoswipe/photoswipe.umd.min.js', base).href }),
      ]).then(function () { return window.PhotoSwipe; });
      loading.catch(function () { loading = null; });
    }
    return loading;
  }

  function number(link, name) {
    return parseInt(link.getAttribute('data-pswp-' + name), 10) || 0;
  }

  function usable(link) {
    return link.getAttribute('data-pswp-src') && number(link, 'width') > 0 &&
      number(link, 'height') > 0;
  }

  function captionOf(link) {
    for (var next = link.nextElementSibling; next; next = next.nextElementSibling) {
      if (next.classList.contains('lightbox-caption')) return next;
      if (next.matches('a[data-pswp-src]')) break;
    }
    return null;
  }

  function slideOf(link, sameDocument) {
    var thumbnail = link.querySelector('img');
    return {
      src: link.getAttribute('data-pswp-src'),
      srcset: link.getAttribute('data-pswp-srcset') || undefined,
      width: number(link, 'width'),
      height: number(link, 'height'),
      alt: thumbnail ? thumbnail.alt : '',
      msrc: thumbnail ? thumbnail.currentSrc || thumbnail.src : undefined,
      // The opening zoom starts from the thumbnail; across frames its place is unknown.
      element: sameDocument ? link : undefined,
      caption: captionOf(link),
    };
  }

  function addCaption(pswp) {
    pswp.ui.registerElement({
      name: 'caption',
      order: 9,
      isButton: false,
      appendTo: 'root',
      onInit: function (element) {
        pswp.on('change', function () {
          var caption = pswp.currSlide.data.caption;
          element.replaceChildren();
          if (caption) {
            Array.prototype.forEach.call(caption.childNodes, function (node) {
              element.appendChild(document.importNode(node, true));
            });
          }
          // Parts the picture has no data for (no date, no camera) leave no empty line.
          element.querySelectorAll('*').forEach(function (part) {
            if (!part.textContent.trim() && !part.querySelector('img')) part.remove();
          });
          element.hidden = !element.textContent.trim();
        });
      },
    });
  }

  function addFullScreenButton(pswp) {
    var root = document.documentElement;
    if (!root.requestFullscreen) return;
    pswp.ui.registerElement({
      name: 'full-screen',
      title: 'Full screen (F)',
      order: 9,
      isButton: true,
      html: '<svg aria-hidden="true" class="pswp__icn" viewBox="0 0 32 32" width="32" ' +
        'height="32"><path d="M8 8h6v2h-4v4H8zm10 0h6v6h-2v-4h-4zM8 18h2v4h4v2H8zm14 ' +
        '0h2v6h-6v-2h4z"/></svg>',
      onClick: toggleFullScreen,
    });
    pswp.on('keydown', function (event) {
      var key = event.originalEvent;
      if (key.key === 'f' && !key.altKey && !key.ctrlKey && !key.metaKey) {
        toggleFullScreen();
        event.preventDefault();
      }
    });
    pswp.on('close', function () {
      if (document.fullscreenElement) document.exitFullscreen();
    });
  }

  function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else document.documentElement.requestFullscreen().catch(function () {});
  }

  function open(links, index, sameDocument) {
    loadPhotoSwipe().then(function (PhotoSwipe) {
      var pswp = new PhotoSwipe({
        dataSource: links.map(function (link) { return slideOf(link, sameDocument); }),
        index: index,
        showHideAnimationType: sameDocument ? 'zoom' : 'fade',
        returnFocus: false,
        closeTitle: 'Close (Esc)',
        zoomTitle: 'Zoom (Z)',
        arrowPrevTitle: 'Previous (arrow left)',
        arrowNextTitle: 'Next (arrow right)',
      });
      pswp.on('uiRegister', function () {
        addCaption(pswp);
        addFullScreenButton(pswp);
      });
      // Back to the thumbnail of the picture last shown, so keyboard users go on from there.
      pswp.on('destroy', function () { links[pswp.currIndex].focus(); });
      pswp.init();
    }, function () {
      links[index].click();
    });
  }

  function watch(doc, sameDocument) {
    doc.addEventListener('click', function (event) {
      if (event.defaultPrevented || event.button !== 0 || event.ctrlKey || event.metaKey ||
          event.shiftKey || event.altKey) {
        return;
      }
      var link = event.target.closest('a[data-pswp-src]');
      if (!link || !usable(link)) return;
      var links = Array.prototype.filter.call(doc.querySelectorAll('a[data-pswp-src]'), usable);
      event.preventDefault();
      open(links, links.indexOf(link), sameDocument);
    });
  }

  function watchFrame(frame) {
    var watched = new WeakSet();
    function bind() {
      var doc = frame.contentDocument;
      if (doc && !watched.has(doc)) {
        watched.add(doc);
        watch(doc, false);
      }
    }
    frame.addEventListener('load', bind);
    if (frame.contentDocument && frame.contentDocument.readyState === 'complete') bind();
  }

  if (frameName) {
    var frame = document.querySelector('iframe[name="' + frameName + '"]');
    if (frame) watchFrame(frame);
  } else {
    watch(document, true);
  }
  // Ready before the first click, once the page itself is done.
  var soon = window.requestIdleCallback || function (run) { setTimeout(run, 200); };
  window.addEventListener('load', function () { soon(function () { loadPhotoSwipe(); }); });
})();
