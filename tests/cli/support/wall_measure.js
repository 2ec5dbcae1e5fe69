// Measures the wall screen in the browser and writes what it found into <pre id="measure"> as
// "key=value" lines: the viewport, the standings rows shown, the smallest font of their texts,
// how far the lowest row reaches, and the lowest contrast of any text shown on its background.
// Opened without a fragment it measures at once and after the first page turn, then presses "t";
// opened with the fragment the page keeps its state in (as when it reloads itself), it measures
// what it took from there.
(function () {
  'use strict';
  var out = [];
  function put(key, value) {
    out.push(key + '=' + value);
    var pre = document.getElementById('measure');
    if (!pre) {
      pre = document.createElement('pre');
      pre.id = 'measure';
      pre.style.display = 'none';
      document.body.appendChild(pre);
    }
    pre.textContent = out.join('\n') + '\n';
  }
  function channels(colour) { return (colour.match(/[\d.]+/g) || []).map(Number); }
  function luminance(colour) {
    var c = channels(colour).slice(0, 3).map(function (v) {
      v /= 255;
      return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4);
    });
    return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2];
  }
  function background(el) {
    for (; el; el = el.parentElement) {
      var c = channels(getComputedStyle(el).backgroundColor);
      if (c.length === 3 || (c.length === 4 && c[3] > 0)) return getComputedStyle(el).backgroundColor;
    }
    return 'rgb(255, 255, 255)';
  }
  function ratio(a, b) {
    var x = luminance(a), y = luminance(b);
    return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);
  }
  function shown(el) {
    return el.getClientRects().length > 0 && getComputedStyle(el).visibility !== 'hidden';
  }
  function ownText(el) {
    return [].some.call(el.childNodes, function (n) {
      return n.nodeType === 3 && n.textContent.trim() !== '';
    });
  }
  function rows() { return [].filter.call(document.querySelectorAll('#rows .row'), shown); }

  function measure(tag) {
    var h = window.innerHeight, w = window.innerWidth;
    put(tag + '_viewport', w + 'x' + h);
    var list = rows();
    put(tag + '_rows', list.length);
    put(tag + '_first', list.length ? list[0].querySelector('.name').firstChild.textContent : '');
    put(tag + '_page', document.getElementById('page-no').textContent);
    put(tag + '_theme', document.body.getAttribute('data-theme'));
    put(tag + '_hash', location.hash.replace(/^#/, '').split('&').join(' '));
    var font = Infinity, bottom = 0, right = 0;
    var box = document.getElementById('rows').getBoundingClientRect();
    list.forEach(function (row) {
      [row].concat([].slice.call(row.querySelectorAll('*'))).forEach(function (el) {
        if (ownText(el)) font = Math.min(font, parseFloat(getComputedStyle(el).fontSize));
      });
      var r = row.getBoundingClientRect();
      bottom = Math.max(bottom, r.bottom);
      right = Math.max(right, r.right);
    });
    put(tag + '_font_per_mille', Math.floor(font / h * 1000));
    put(tag + '_overflow', bottom > h + 0.5 || right > w + 0.5 || bottom > box.bottom + 0.5 ? 1 : 0);
    var worst = Infinity, what = '';
    [].forEach.call(document.querySelectorAll('body *'), function (el) {
      if (el.tagName === 'SCRIPT' || el.tagName === 'STYLE' || el.id === 'measure') return;
      if (!ownText(el) || !shown(el)) return;
      var style = getComputedStyle(el);
      var colour = el instanceof SVGElement ? style.fill : style.color;
      var r = ratio(colour, background(el));
      if (r < worst) { worst = r; what = el.tagName + '.' + el.className.baseVal + el.className; }
    });
    put(tag + '_contrast_x100', Math.floor(worst * 100));
    put(tag + '_contrast_worst', what);
  }

  var pageMs = +document.body.getAttribute('data-page-ms');
  if (location.hash.indexOf('p=') < 0) {
    setTimeout(function () { measure('a'); }, 1000);
    setTimeout(function () {
      measure('b');
      document.dispatchEvent(new KeyboardEvent('keydown', { key: 't' }));
      measure('c');
    }, pageMs + 1500);
  } else {
    setTimeout(function () { measure('r'); }, 500);
  }
})();
