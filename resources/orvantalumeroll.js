/* JavaScript Lumeroll runtime: a fading news box where its configuration
   script stands. That script calls new awkmanbSPM(), awkmaNBSPm(html) per
   item, then awkmbnbspm(delay, width, height, borderWidth, borderStyle,
   borderColor, padding, background, zIndex, cursor). The editor's preview
   also uses new awkmanbSPM({container}), hold(index) and destroy().
   The constructor is the script's only global. */
(function () {
  'use strict';

  var FADE_MS = 600;
  // Faster changes flash too often for photosensitive visitors.
  var MIN_GAP_MS = 500;
  var SWIPE_PX = 30;
  // Old keywords that browsers no longer know, turned into what they meant.
  var KEYWORDS = { hand: 'pointer', 'window-inset': 'inset', 'url(uri)': 'auto' };
  var STYLE_ID = 'lumeroll-style';
  var CSS =
    '.lumeroll-box{position:relative;box-sizing:border-box;max-width:100%;overflow:hidden;touch-action:pan-y}' +
    '.lumeroll-items{position:relative;width:100%;height:100%}' +
    '.lumeroll-item{position:absolute;top:0;left:0;width:100%;height:100%;opacity:0;display:none}' +
    // Pages without a doctype do not let tables inherit the font.
    '.lumeroll-item>div{margin:1em 0}.lumeroll-item table{font:inherit;color:inherit}' +
    '.lumeroll-controls{position:absolute;right:2px;bottom:2px;z-index:1;display:flex;gap:2px}' +
    '.lumeroll-button{margin:0;padding:1px 6px;font:12px sans-serif;opacity:0;cursor:pointer}' +
    '.lumeroll-box:hover .lumeroll-button,.lumeroll-controls:focus-within .lumeroll-button{opacity:1}';
  // The HTML parser ends the content paragraph at a list, table or div
  // inside it, and the rest loses the content's style; a div holds them.
  var ITEM_HTML = /^(<p [^>]*><a [^>]*>[\s\S]*?<\/a><\/p>)<p( [^>]*>[\s\S]*)<\/p>$/;

  function reducedMotion() {
    return !!(window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)').matches);
  }

  function keyword(word) {
    return Object.prototype.hasOwnProperty.call(KEYWORDS, word) ? KEYWORDS[word] : word;
  }

  function px(value) {
    return Math.max(0, Number(value) || 0);
  }

  function el(tag, className, parent) {
    var node = document.createElement(tag);
    node.className = className;
    if (parent) parent.appendChild(node);
    return node;
  }

  // options.container: the element to put the box in.
  function awkmanbSPM(options) {
    this.anchor = document.currentScript;
    this.container = (options && options.container) || null;
    this.html = [];
    this.items = [];
    this.listeners = [];
    this.shown = this.held = -1;
    this.changedAt = -Infinity;
    this.timer = this.queued = null;
    // 'auto' runs unless pointer or focus is on the box; 'paused' after
    // Pause; 'playing' after Play, whatever pointer and focus do.
    this.mode = 'auto';
  }
  var P = awkmanbSPM.prototype;

  // Every listener goes through here so that destroy() can take it off.
  P.on = function (target, type, fn) {
    target.addEventListener(type, fn);
    this.listeners.push([target, type, fn]);
  };

  // Shows item index at once until hold(-1) lets the box run on from it.
  P.hold = function (index) {
    this.held = index >= 0 ? Math.floor(index) : -1;
    if (!this.box) return;
    if (this.held >= 0) {
      this.stop();
      this.show(Math.min(this.held, this.items.length - 1), false);
    }
    this.update();
  };

  P.destroy = function () {
    this.destroyed = true;
    this.stop();
    clearTimeout(this.queued);
    this.listeners.forEach(function (l) { l[0].removeEventListener(l[1], l[2]); });
    this.listeners = [];
    if (this.box && this.box.parentNode) this.box.parentNode.removeChild(this.box);
  };

  P.awkmaNBSPm = function (html) {
    this.html.push(String(html));
  };

  P.awkmbnbspm = function (delay, width, height, borderWidth, borderStyle, borderColor, padding, background,
                           zIndex, cursor) {
    if (this.box || this.destroyed) return;
    this.delay = Number(delay) >= 0 ? Math.max(MIN_GAP_MS, Number(delay)) : 1000;
    if (!document.getElementById(STYLE_ID)) {
      var style = el('style', '', document.head || document.documentElement);
      style.id = STYLE_ID;
      style.textContent = CSS;
    }
    var box = this.box = el('div', 'lumeroll-box');
    box.setAttribute('role', 'region');
    box.setAttribute('aria-roledescription', 'news box');
    // Landmarks on one page need names of their own.
    var others = document.querySelectorAll('.lumeroll-box').length;
    box.setAttribute('aria-label', others ? 'News ' + (others + 1) : 'News');
    // Border and padding count in the size, so max-width shrinks it all.
    var s = box.style, edge = 2 * (px(padding) + px(borderWidth));
    s.width = px(width) + edge + 'px';
    s.height = px(height) + edge + 'px';
    s.borderWidth = px(borderWidth) + 'px';
    s.borderStyle = keyword(borderStyle);
    s.borderColor = borderColor;
    s.padding = px(padding) + 'px';
    s.backgroundColor = background;
    s.zIndex = zIndex;
    s.cursor = keyword(cursor);

    this.list = el('div', 'lumeroll-items', box);
    for (var i = 0; i < this.html.length; i++) this.items.push(this.makeItem(this.html[i], i));
    if (this.items.length > 1) this.makeControls();
    // Under reduced motion nothing moves until the visitor asks for it.
    if (reducedMotion()) this.mode = 'paused';
    this.show(this.held >= 0 ? Math.min(this.held, this.items.length - 1) : 0, false);
    this.place();
    this.listen();
    this.update();
  };

  P.makeItem = function (html, index) {
    var item = el('div', 'lumeroll-item', this.list);
    item.innerHTML = html.replace(ITEM_HTML, '$1<div$2</div>');
    item.setAttribute('role', 'group');
    item.setAttribute('dir', 'auto');
    this.hide(item);
    var name = ((item.querySelector('a') || item).textContent || '').replace(/\s+/g, ' ').trim();
    var position = index + 1 + ' of ' + this.html.length;
    item.setAttribute('aria-label', name ? name + ', ' + position : 'News item ' + position);
    return item;
  };

  P.makeControls = function () {
    var self = this, bar = this.controls = el('div', 'lumeroll-controls', this.box);
    function button(kind, text, act) {
      var b = el('button', 'lumeroll-button lumeroll-' + kind, bar);
      b.type = 'button';
      b.textContent = text;
      b.setAttribute('aria-label', kind.charAt(0).toUpperCase() + kind.slice(1) + ' news');
      self.on(b, 'click', act);
      return b;
    }
    button('previous', '\u2039', function () { self.step(-1); });
    this.button = button('pause', '', function () {
      self.mode = self.mode === 'paused' ? 'playing' : 'paused';
      self.update();
    });
    button('next', '\u203a', function () { self.step(1); });
  };

  // After the configuration script's tag, or at the end of the body.
  P.place = function () {
    var a = this.anchor;
    if (this.container) this.container.appendChild(this.box);
    else if (a && a.parentNode) a.parentNode.insertBefore(this.box, a.nextSibling);
    else (document.body || document.documentElement).appendChild(this.box);
  };

  P.listen = function () {
    var self = this, box = this.box, start = null;
    function set(key, value) {
      return function () { self[key] = value; self.update(); };
    }
    this.on(box, 'mouseenter', set('hovered', true));
    this.on(box, 'mouseleave', set('hovered', false));
    this.on(box, 'focusin', set('focused', true));
    this.on(box, 'focusout', function (e) {
      self.focused = !!(e.relatedTarget && box.contains(e.relatedTarget));
      // Focus low in long content scrolled the box; later items would show
      // with their top cut off.
      if (!self.focused) self.unscroll();
      self.update();
    });
    this.on(box, 'keydown', function (e) {
      var dir = { ArrowLeft: -1, ArrowRight: 1 }[e.key];
      if (!dir || e.altKey || e.ctrlKey || e.metaKey || e.shiftKey || /^(INPUT|SELECT|TEXTAREA)$/.test(e.target.tagName)) return;
      e.preventDefault();
      self.step(dir);
    });
    // A horizontal swipe; vertical ones stay with the page (touch-action).
    this.on(box, 'pointerdown', function (e) {
      start = e.pointerType === 'mouse' ? null : [e.clientX, e.clientY];
    });
    this.on(box, 'pointerup', function (e) {
      if (!start) return;
      var dx = e.clientX - start[0], dy = e.clientY - start[1];
      start = null;
      if (Math.abs(dx) >= SWIPE_PX && Math.abs(dx) > Math.abs(dy)) self.step(dx < 0 ? 1 : -1);
    });
    this.on(document, 'visibilitychange', function () { self.update(); });
  };

  P.unscroll = function () {
    this.box.scrollTop = this.box.scrollLeft = 0;
  };

  P.hide = function (item, on) {
    item.style.visibility = on ? 'visible' : 'hidden';
    item.style.pointerEvents = on ? '' : 'none';
    item.inert = !on;
    if (on) item.removeAttribute('aria-hidden');
    else item.setAttribute('aria-hidden', 'true');
  };

  // Only the shown item is seen, clickable, reachable by Tab and read out.
  // Other items are not displayed and a change touches only the items
  // concerned, so a long list costs no more per change.
  P.show = function (index, fade) {
    var ms = fade && !reducedMotion() ? Math.min(FADE_MS, this.delay / 2) : 0;
    var from = this.items[this.shown], to = this.items[index];
    if (!to) return;
    // The item that faded out at the change before goes.
    if (this.left) this.left.style.display = 'none';
    this.left = null;
    if (from && from !== to) {
      from.style.transition = 'opacity ' + ms + 'ms, visibility 0s ' + ms + 'ms';
      from.style.opacity = '0';
      this.hide(from);
      if (ms) this.left = from;
      else from.style.display = 'none';
    }
    to.style.display = 'block';
    // The fade starts from the invisible style, so that is taken first.
    if (ms) getComputedStyle(to).opacity;
    to.style.transition = 'opacity ' + ms + 'ms';
    to.style.opacity = '1';
    this.hide(to, true);
    // Focus in the item going away would fall to the page; it moves along.
    if (from && from !== to && from.contains(document.activeElement)) {
      to.tabIndex = -1;
      to.focus({ preventScroll: true });
    }
    this.shown = index;
    this.fadeMs = ms;
    this.changedAt = Date.now();
  };

  P.running = function () {
    return this.items.length > 1 && this.held < 0 && !this.destroyed && !document.hidden &&
      (this.mode === 'playing' || (this.mode === 'auto' && !this.hovered && !this.focused));
  };

  // Starts or stops the timer to match the state; a restart holds the shown
  // item for the full delay, so nothing bursts after a pause.
  P.update = function () {
    var run = this.running();
    if (this.controls) {
      this.controls.style.display = this.held >= 0 ? 'none' : '';
      var label = this.mode === 'paused' ? 'Play' : 'Pause';
      this.button.textContent = label;
      this.button.setAttribute('aria-label', label + ' news');
    }
    this.list.setAttribute('aria-live', run ? 'off' : 'polite');
    if (!run) this.stop();
    else if (this.timer === null) this.wait(this.delay);
  };

  P.wait = function (ms) {
    var self = this;
    this.stop();
    this.timer = setTimeout(function () {
      self.timer = null;
      self.go(self.shown + 1);
    }, ms);
  };

  P.stop = function () {
    clearTimeout(this.timer);
    this.timer = null;
  };

  // A move by hand: the same fade, then the full delay. One that comes too
  // fast waits its turn.
  P.step = function (dir) {
    var self = this, early = this.changedAt + MIN_GAP_MS - Date.now();
    if (this.held >= 0) return;
    clearTimeout(this.queued);
    this.queued = early > 0 ? setTimeout(function () { self.step(dir); }, early) : null;
    if (!this.queued) this.go(this.shown + dir);
  };

  P.go = function (index) {
    var n = this.items.length;
    this.show((index % n + n) % n, true);
    this.stop();
    if (this.running()) this.wait(this.fadeMs + this.delay);
  };

  window.awkmanbSPM = awkmanbSPM;
})();
